#include "kvinternetshortcut.h"

#include "kvcontentfiletext.h"

#include <QRegularExpression>

namespace Kova {

namespace {

const QString SECTION = QStringLiteral("[InternetShortcut]");

} // namespace

KvInternetShortcut KvInternetShortcut::fromText(const QString& content)
{
    static const QRegularExpression urlEntry(QStringLiteral("^\\s*URL\\s*=(.*)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    KvInternetShortcut shortcut;
    shortcut.m_lines = KvContentFileText::lines(content);
    bool inSection = false;
    for (int i = 0; i < shortcut.m_lines.size(); ++i) {
        const QString line = shortcut.m_lines.at(i).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            // The first section of that name is the one read; a later one is kept as it is.
            inSection =
                shortcut.m_sectionLine < 0 && line.compare(SECTION, Qt::CaseInsensitive) == 0;
            if (inSection)
                shortcut.m_sectionLine = i;
            continue;
        }
        if (!inSection || shortcut.m_urlLine >= 0)
            continue;
        const QRegularExpressionMatch match = urlEntry.match(line);
        if (match.hasMatch()) {
            shortcut.m_urlLine = i;
            shortcut.m_url = match.captured(1).trimmed();
        }
    }
    return shortcut;
}

void KvInternetShortcut::setUrl(const QString& url)
{
    m_url = url;
    const QString entry = QStringLiteral("URL=") + url;
    if (m_urlLine >= 0) {
        m_lines[m_urlLine] = entry;
        return;
    }
    if (m_sectionLine < 0) {
        m_sectionLine = m_lines.size();
        m_lines.append(SECTION);
    }
    m_urlLine = m_sectionLine + 1;
    m_lines.insert(m_urlLine, entry);
}

QString KvInternetShortcut::toText() const
{
    return m_lines.isEmpty() ? QString() : m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace Kova
