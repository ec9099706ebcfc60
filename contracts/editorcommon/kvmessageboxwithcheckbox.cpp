#include "kvmessageboxwithcheckbox.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QPushButton>
#include <QSettings>

namespace Kova {

namespace {

const QString settingsGroup = QStringLiteral("messageBoxWithCheckBox");

} // namespace

KvMessageBoxWithCheckBox::KvMessageBoxWithCheckBox(QSettings* settings, QWidget* parent)
    : QMessageBox(parent)
    , m_settings(settings)
{
    setCheckBox(new QCheckBox(tr("Do not show this message again"), this));
}

KvMessageBoxWithCheckBox::KvMessageBoxWithCheckBox(QMessageBox::Icon icon, const QString& title,
                                                   const QString& text, QSettings* settings,
                                                   QWidget* parent,
                                                   QMessageBox::StandardButtons buttons)
    : QMessageBox(icon, title, text, buttons, parent)
    , m_settings(settings)
{
    setCheckBox(new QCheckBox(tr("Do not show this message again"), this));
}

QString KvMessageBoxWithCheckBox::settingsKey() const
{
    if (!m_settingsKey.isEmpty())
        return m_settingsKey;
    const QByteArray digest = QCryptographicHash::hash(
        (windowTitle() + QLatin1Char('\n') + text()).toUtf8(), QCryptographicHash::Md5);
    return QString::fromLatin1(digest.toHex());
}

void KvMessageBoxWithCheckBox::setSettingsKey(const QString& key)
{
    // Keys are one level below the group: no separators inside.
    QString clean = key;
    clean.replace(QLatin1Char('/'), QLatin1Char('_'));
    clean.replace(QLatin1Char('\\'), QLatin1Char('_'));
    m_settingsKey = clean;
}

QString KvMessageBoxWithCheckBox::fullKey(const QString& leaf) const
{
    return settingsGroup + QLatin1Char('/') + settingsKey() + QLatin1Char('/') + leaf;
}

bool KvMessageBoxWithCheckBox::isSuppressed() const
{
    if (!m_settings)
        return false;
    const QVariant value = m_settings->value(fullKey(QStringLiteral("suppressed")));
    return value.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
           (value.type() == QVariant::Bool && value.toBool());
}

void KvMessageBoxWithCheckBox::resetSuppression()
{
    if (m_settings)
        m_settings->remove(settingsGroup + QLatin1Char('/') + settingsKey());
}

int KvMessageBoxWithCheckBox::exec()
{
    if (isSuppressed()) {
        bool ok = false;
        const int answer = m_settings->value(fullKey(QStringLiteral("answer"))).toInt(&ok);
        if (ok && (standardButtons() & StandardButton(answer)))
            return answer;
        // A damaged answer: the default button, else the first one offered.
        if (QAbstractButton* fallback = defaultButton())
            return standardButton(fallback);
        const QList<QAbstractButton*> offered = buttons();
        return offered.isEmpty() ? int(QMessageBox::Ok) : int(standardButton(offered.first()));
    }
    if (checkBox())
        checkBox()->setChecked(false);
    const int answer = QMessageBox::exec();
    if (m_settings && checkBox() && checkBox()->isChecked()) {
        m_settings->setValue(fullKey(QStringLiteral("suppressed")), true);
        m_settings->setValue(fullKey(QStringLiteral("answer")), answer);
    }
    return answer;
}

int KvMessageBoxWithCheckBox::showMessage(QWidget* parent, QSettings* settings,
                                          QMessageBox::Icon icon, const QString& title,
                                          const QString& text, QMessageBox::StandardButtons buttons,
                                          const QString& settingsKey)
{
    KvMessageBoxWithCheckBox box(icon, title, text, settings, parent, buttons);
    if (!settingsKey.isEmpty())
        box.setSettingsKey(settingsKey);
    return box.exec();
}

} // namespace Kova
