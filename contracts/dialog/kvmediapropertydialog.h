#pragma once

#include "kvmediapropertyvalues.h"

#include <QDialog>
#include <QFont>
#include <QList>
#include <QSet>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace Kova {

class KvMedia;
class KvScreen;

// Edits one medium of a screen's sequence: its name, how long it plays and, by its type, the
// telop's scrolling and font or a web page's address; shows what is known of its file and
// where it stands in the sequence. The dialog edits the copy it is given: accepting writes
// the fields into the copy, after refusing (with a message, the dialog staying open) values
// that cannot be stored; cancelling leaves the copy alone.
class KvMediaPropertyDialog : public QDialog
{
    Q_OBJECT
public:
    explicit KvMediaPropertyDialog(QWidget* parent = nullptr);
    ~KvMediaPropertyDialog() override;

    // The medium to edit (a copy the caller owns) with its screen, its neighbours in the
    // sequence (null at the ends) and its index in the screen's media list (-1 when absent).
    void setMediaInformations(KvScreen* screen, KvMedia* media, KvMedia* nextMedia,
                              KvMedia* previousMedia, int index);
    // Fills the fields from the copy and shows those its media type uses.
    void setPropertyToWidgetFromMediaInformation();

    KvMedia* media() const { return m_media; }

public slots:
    void accept() override;

private slots:
    void updateEnabledFields();
    void updateAddressHint();
    void updateFolderTotal();

private:
    void buildSettings(QFormLayout* form);
    void buildFacts(QFormLayout* form);
    struct FormRow
    {
        QWidget* label = nullptr;
        QWidget* field = nullptr;
    };
    static QList<FormRow> rowsOf(QFormLayout* form);
    static void layOutRows(QFormLayout* form, const QList<FormRow>& rows,
                           const QSet<QWidget*>& hidden);
    void fillFacts();
    KvMediaPropertyValues valuesFromFields() const;
    QWidget* fieldWidget(KvMediaPropertyValues::Field field) const;
    int folderFileCount() const;
    static QString filesText(int count);

    KvScreen* m_screen = nullptr;
    KvMedia* m_media = nullptr;
    KvMedia* m_next = nullptr;
    KvMedia* m_previous = nullptr;
    int m_index = -1;
    KvMediaPropertyValues m_values;

    QFormLayout* m_settingsForm = nullptr;
    QList<FormRow> m_settingsRows;
    QLineEdit* m_nameEdit = nullptr;
    QWidget* m_durationRow = nullptr;
    QRadioButton* m_untilEndRadio = nullptr;
    QRadioButton* m_forTimeRadio = nullptr;
    QLineEdit* m_durationEdit = nullptr;
    QLabel* m_durationUnit = nullptr;
    QLabel* m_folderTotal = nullptr;
    QComboBox* m_directionCombo = nullptr;
    QLineEdit* m_stepEdit = nullptr;
    QWidget* m_waitRow = nullptr;
    QLineEdit* m_waitEdit = nullptr;
    QCheckBox* m_waitAutoCheck = nullptr;
    QWidget* m_fontRow = nullptr;
    QFontComboBox* m_fontCombo = nullptr;
    QSpinBox* m_fontSizeSpin = nullptr;
    QCheckBox* m_boldCheck = nullptr;
    QCheckBox* m_italicCheck = nullptr;
    QLabel* m_fileAddressLabel = nullptr;
    QString m_fileAddress;
    QWidget* m_addressRow = nullptr;
    QCheckBox* m_ownAddressCheck = nullptr;
    QLineEdit* m_addressEdit = nullptr;
    QLabel* m_addressHint = nullptr;
    QLabel* m_pluginNote = nullptr;

    QFormLayout* m_factsForm = nullptr;
    QList<FormRow> m_factsRows;
    QLabel* m_thumbnailLabel = nullptr;
    QLabel* m_typeLabel = nullptr;
    QLabel* m_fileLabel = nullptr;
    QLabel* m_sizeLabel = nullptr;
    QLabel* m_dimensionsLabel = nullptr;
    QLabel* m_lengthLabel = nullptr;
    QLabel* m_positionLabel = nullptr;
    QLabel* m_previousLabel = nullptr;
    QLabel* m_nextLabel = nullptr;

    QFont m_font;
    bool m_filling = false;
};

} // namespace Kova
