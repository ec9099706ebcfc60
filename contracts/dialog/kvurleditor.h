#pragma once

#include "kvinternetshortcut.h"

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace Kova {

// Edits a web-page file (".url", in the common "[InternetShortcut]" form): its address,
// which must be a valid http or https URL before it is saved. Saving writes atomically.
// A page saved as a file (".html", ".htm") is shown by its file address, read-only.
class KvUrlEditor : public QDialog
{
    Q_OBJECT
public:
    // `existingFile` false: a new file is made at `filePath` when the user saves.
    KvUrlEditor(const QString& filePath, bool existingFile, QWidget* parent = nullptr);
    ~KvUrlEditor() override;

    // Shows the editor modally; returns 1 when the file was saved, 0 otherwise.
    static int showEditor(const QString& filePath, QWidget* parent, bool existingFile);

    // Why `address` cannot be saved; empty for an absolute http or https URL with a host.
    static QString addressProblem(const QString& address);
    // "https://" put before an address typed without a scheme, when that makes a web
    // address whose host has a dot ("example.com"); empty otherwise.
    static QString completedAddress(const QString& address);

public slots:
    // Saves the address and closes the editor. A refused address keeps the editor open with
    // the reason shown; an address that was completed is shown first and saved on the next
    // Save.
    void accept() override;

private:
    // A refusal is shown in red, a note in the label's usual colour.
    void showMessage(const QString& message, bool refusal = true);
    void disableEditing(const QString& reason);

    QString m_filePath;
    KvInternetShortcut m_shortcut;
    QLineEdit* m_addressEdit = nullptr;
    QLabel* m_messageLabel = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace Kova
