#pragma once

#include <QDialog>
#include <QSet>
#include <QString>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace Kova {

// Asks for the name of a new telop text or web-page file in a library folder. The name is
// refused, with the reason shown in the dialog and OK disabled, while it is empty or blank,
// holds a character the file system forbids (/ \ : * ? " < > | or a control character),
// begins or ends with a blank, ends with a dot (which also refuses names of only dots), is
// longer than a file name can be, or names a file that exists in the folder (compared
// without regard to case). The file's extension is added when the user leaves it out.
class KvInputNameDialog : public QDialog
{
    Q_OBJECT
public:
    enum InputType { Telop = 0, Url = 1 };

    KvInputNameDialog(int inputType, const QString& folderPath, QWidget* parent = nullptr);
    ~KvInputNameDialog() override;

    // Shows the dialog modally; returns the accepted file name with its extension, or an
    // empty string when the user cancelled.
    static QString showDialog(int inputType, const QString& folderPath, QWidget* parent);

    // The name as typed, with the extension of the input type added when missing.
    QString fileName() const;
    // Why the current name is refused; empty when it is acceptable.
    QString problem() const;

public slots:
    void accept() override;

private slots:
    void updateProblem();

private:
    QString extension() const;
    // Re-reads the names of the folder's files, to which a new name is compared.
    void readFolder();

    int m_inputType;
    QString m_folderPath;
    QLineEdit* m_nameEdit = nullptr;
    QLabel* m_problemLabel = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    // The folder's entry names in lower case.
    QSet<QString> m_takenNames;
};

} // namespace Kova
