#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QRect>
#include <QString>

namespace Kova {

class KvScreen;

// A stage: a canvas of fixed pixel size holding screens. The stage owns its
// screens; the editor edits the screen list in place.
class KvStage : public QObject
{
    Q_OBJECT
public:
    enum Option : uint { UseDesktopSize = 0x1, AutoAdjustment = 0x2 };

    explicit KvStage(const QString& filePath = QString(), QObject* parent = nullptr);
    // Deep copies: screens, media and events are copied; the file path too.
    KvStage(const KvStage& other);
    KvStage& operator=(const KvStage& other);
    ~KvStage() override;

    // Loads filePath(). On failure the stage is left as it was and false is returned;
    // errorString() tells why.
    bool readFile();
    // Writes the stage to filePath() atomically: the previous file stays intact when
    // anything fails. errorString() tells why.
    bool writeToFile();
    QString errorString() const { return m_errorString; }

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    QString filePath() const { return m_filePath; }
    void setFilePath(const QString& path) { m_filePath = path; }
    QString description() const { return m_description; }
    void setDescription(const QString& text) { m_description = text; }
    QRect rect() const { return m_rect; }
    void setRect(const QRect& rect) { m_rect = rect; }
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor& color) { m_backgroundColor = color; }
    // Relative to the data folder (or absolute when outside it); empty for none.
    QString backgroundImage() const { return m_backgroundImage; }
    void setBackgroundImage(const QString& path) { m_backgroundImage = path; }
    // Bit 0: use the desktop size; bit 1: automatic adjustment.
    uint options() const { return m_options; }
    void setOptions(uint options) { m_options = options; }

    QList<KvScreen*>& screenList() { return m_screenList; }
    const QList<KvScreen*>& screenList() const { return m_screenList; }
    // Appends a screen the stage takes over.
    void addScreen(KvScreen* screen);
    KvScreen* getScreenObject(int id) const;
    // Deletes every screen.
    void clearScreens();

    // Equal content. With compareFilePath true the file paths must match as well.
    bool isMatch(const KvStage& other, bool compareFilePath) const;

private:
    void copyFrom(const KvStage& other);

    QString m_name;
    QString m_filePath;
    QString m_description;
    QRect m_rect = QRect(0, 0, 1920, 1080);
    QColor m_backgroundColor = Qt::black;
    QString m_backgroundImage;
    uint m_options = 0;
    QList<KvScreen*> m_screenList;
    QString m_errorString;
};

} // namespace Kova
