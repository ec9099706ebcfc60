#pragma once

#include <QMessageBox>
#include <QString>

class QSettings;

namespace Kova {

// A message box with a "Do not show this message again" check box whose state is kept
// in a QSettings. Once the user checked it, exec() returns the answer given then without
// showing the box. Without settings the box always shows and keeps nothing.
class KvMessageBoxWithCheckBox : public QMessageBox
{
    Q_OBJECT
public:
    explicit KvMessageBoxWithCheckBox(QSettings* settings, QWidget* parent = nullptr);
    KvMessageBoxWithCheckBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                             QSettings* settings, QWidget* parent = nullptr,
                             QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    // The settings key of this message (default: made from the title and text, so each
    // distinct message is remembered on its own).
    QString settingsKey() const;
    void setSettingsKey(const QString& key);

    // Whether the user chose not to see this message again.
    bool isSuppressed() const;
    // Forgets that choice, so the box shows again.
    void resetSuppression();

    int exec() override;

    // Convenience: builds the box over `parent`, runs it and returns the answer.
    static int showMessage(QWidget* parent, QSettings* settings, QMessageBox::Icon icon,
                           const QString& title, const QString& text,
                           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                           const QString& settingsKey = QString());

private:
    QString fullKey(const QString& leaf) const;

    QSettings* m_settings;
    QString m_settingsKey;
};

} // namespace Kova
