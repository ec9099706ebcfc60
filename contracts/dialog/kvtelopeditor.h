#pragma once

#include "kvtelopfile.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFontComboBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;

namespace Kova {

class KvColorWidget;
class KvTelopPreview;

// Edits a telop file: the scrolling text with its font, colours, direction and speed, with a
// live preview of the scrolling line. Saving writes the file atomically.
class KvTelopEditor : public QDialog
{
    Q_OBJECT
public:
    // `existingFile` false: a new file is made at `filePath` when the user saves.
    KvTelopEditor(const QString& filePath, bool existingFile, QWidget* parent = nullptr);
    ~KvTelopEditor() override;

    // Shows the editor modally; returns 1 when the file was saved, 0 otherwise.
    static int showEditor(const QString& filePath, QWidget* parent, bool existingFile);

    // The telop as the fields now describe it.
    KvTelopFile telop() const;
    // Why the file cannot be edited or saved; empty while all is well.
    QString problem() const;

public slots:
    // Saves the file and closes the editor; a failed save keeps it open with the reason shown.
    void accept() override;

private slots:
    void updatePreview();

private:
    void fillFields();
    void showProblem(const QString& problem);

    QString m_filePath;
    // The file as read, so that what the fields cannot show (a font family that is not
    // installed, unknown style keys) is saved back unchanged.
    KvTelopFile m_telop;
    bool m_filling = false;

    QPlainTextEdit* m_textEdit = nullptr;
    QFontComboBox* m_fontCombo = nullptr;
    QSpinBox* m_fontSizeSpin = nullptr;
    QCheckBox* m_boldCheck = nullptr;
    KvColorWidget* m_colorWidget = nullptr;
    KvColorWidget* m_backgroundWidget = nullptr;
    QComboBox* m_directionCombo = nullptr;
    QSpinBox* m_speedSpin = nullptr;
    KvTelopPreview* m_preview = nullptr;
    QLabel* m_problemLabel = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace Kova
