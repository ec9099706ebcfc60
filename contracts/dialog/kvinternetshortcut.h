#pragma once

#include <QString>
#include <QStringList>

namespace Kova {

// The content of a ".url" web shortcut: the "URL=" entry of its "[InternetShortcut]" section.
// Every other line of the file (other sections, other keys, comments) is kept as it was, so
// that saving changes only the address.
class KvInternetShortcut
{
public:
    // Reads a shortcut's text; lines may end with LF, CR LF or CR.
    static KvInternetShortcut fromText(const QString& content);

    // The address, empty when the file has none.
    QString url() const { return m_url; }
    // Replaces the address entry, or adds it (and its section) where there was none.
    void setUrl(const QString& url);
    // The shortcut's text, every line ended by LF.
    QString toText() const;

private:
    QStringList m_lines;
    QString m_url;
    int m_sectionLine = -1;
    int m_urlLine = -1;
};

} // namespace Kova
