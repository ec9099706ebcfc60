#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QVBoxLayout;

namespace Kova {

// A modal choice between a few commands, each shown as a command link button with a
// description below its text, and a Cancel button.
class KvCommandLinkDialog : public QDialog
{
    Q_OBJECT
public:
    explicit KvCommandLinkDialog(QWidget* parent = nullptr);

    void setText(const QString& text);
    void setInformativeText(const QString& text);
    // Adds a command; returns its index (1 for the first). An empty text adds nothing
    // and returns -1.
    int addCommand(const QString& text, const QString& description = QString());
    int commandCount() const { return m_commandCount; }

    // Shows the dialog over `parent` with up to five commands (empty texts are left out)
    // and returns the chosen command's index, 1 for the first; -1 when cancelled.
    static int show(QWidget* parent, const QString& title, const QString& text,
                    const QString& informativeText, const QString& command1,
                    const QString& description1, const QString& command2 = QString(),
                    const QString& description2 = QString(), const QString& command3 = QString(),
                    const QString& description3 = QString(), const QString& command4 = QString(),
                    const QString& description4 = QString(), const QString& command5 = QString(),
                    const QString& description5 = QString());

private:
    QLabel* m_text;
    QLabel* m_informativeText;
    QVBoxLayout* m_commands;
    int m_commandCount = 0;
};

} // namespace Kova
