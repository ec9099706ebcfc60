#include "kvstage.h"

#include "kvscreen.h"
#include "kvstagereader.h"
#include "kvstagewriter.h"

namespace Kova {

namespace {

bool sameColor(const QColor& a, const QColor& b)
{
    if (a.isValid() != b.isValid())
        return false;
    return !a.isValid() || a.rgba64() == b.rgba64();
}

} // namespace

KvStage::KvStage(const QString& filePath, QObject* parent)
    : QObject(parent)
    , m_filePath(filePath)
{
}

KvStage::KvStage(const KvStage& other)
    : QObject(nullptr)
{
    copyFrom(other);
}

KvStage& KvStage::operator=(const KvStage& other)
{
    if (&other != this)
        copyFrom(other);
    return *this;
}

KvStage::~KvStage()
{
    clearScreens();
}

void KvStage::copyFrom(const KvStage& other)
{
    // Copy first, then replace: other may own screens this stage is about to lose.
    QList<KvScreen*> screens;
    screens.reserve(other.m_screenList.size());
    for (const KvScreen* screen : other.m_screenList) {
        if (!screen)
            continue;
        auto* copy = new KvScreen(*screen, false);
        copy->setStage(this);
        screens.append(copy);
    }
    clearScreens();
    m_screenList = screens;
    m_name = other.m_name;
    m_filePath = other.m_filePath;
    m_description = other.m_description;
    m_rect = other.m_rect;
    m_backgroundColor = other.m_backgroundColor;
    m_backgroundImage = other.m_backgroundImage;
    m_options = other.m_options;
    m_errorString = other.m_errorString;
}

bool KvStage::readFile()
{
    KvStage loaded(m_filePath);
    KvStageReader reader;
    if (!reader.read(m_filePath, &loaded)) {
        m_errorString = reader.errorString();
        return false;
    }
    // Take the loaded content over as a whole.
    clearScreens();
    m_screenList.swap(loaded.m_screenList);
    for (KvScreen* screen : qAsConst(m_screenList))
        screen->setStage(this);
    m_name = loaded.m_name;
    m_description = loaded.m_description;
    m_rect = loaded.m_rect;
    m_backgroundColor = loaded.m_backgroundColor;
    m_backgroundImage = loaded.m_backgroundImage;
    m_options = loaded.m_options;
    m_errorString.clear();
    return true;
}

bool KvStage::writeToFile()
{
    KvStageWriter writer;
    if (!writer.write(*this, m_filePath)) {
        m_errorString = writer.errorString();
        return false;
    }
    m_errorString.clear();
    return true;
}

void KvStage::addScreen(KvScreen* screen)
{
    if (!screen || m_screenList.contains(screen))
        return;
    screen->setStage(this);
    m_screenList.append(screen);
}

KvScreen* KvStage::getScreenObject(int id) const
{
    for (KvScreen* screen : m_screenList) {
        if (screen && screen->id() == id)
            return screen;
    }
    return nullptr;
}

void KvStage::clearScreens()
{
    const QList<KvScreen*> screens = m_screenList;
    m_screenList.clear();
    qDeleteAll(screens);
}

bool KvStage::isMatch(const KvStage& other, bool compareFilePath) const
{
    if (compareFilePath && m_filePath != other.m_filePath)
        return false;
    if (m_name != other.m_name || m_description != other.m_description || m_rect != other.m_rect ||
        !sameColor(m_backgroundColor, other.m_backgroundColor) ||
        m_backgroundImage != other.m_backgroundImage || m_options != other.m_options ||
        m_screenList.size() != other.m_screenList.size())
        return false;
    for (int i = 0; i < m_screenList.size(); ++i) {
        const KvScreen* a = m_screenList.at(i);
        const KvScreen* b = other.m_screenList.at(i);
        if (!a || !b) {
            if (a != b)
                return false;
            continue;
        }
        if (!a->isMatch(*b))
            return false;
    }
    return true;
}

} // namespace Kova
