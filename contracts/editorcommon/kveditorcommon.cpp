#include "kveditorcommon.h"

#include "kveditoruserconfig.h"
#include "kvplugincommoninterface.h"
#include "kvpluginextscreeninterface.h"
#include "kvpluginloader.h"
#include "kvscreen.h"

#include <QDesktopServices>
#include <QDockWidget>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMainWindow>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTabBar>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace Kova {

const QString KvEditorCommon::MIME_TYPE_SCREEN_OBJECT =
    QStringLiteral("application/x-kova-screen-object");
const QString KvEditorCommon::MIME_TYPE_SCREEN_TYPE =
    QStringLiteral("application/x-kova-screen-type");
const QString KvEditorCommon::MIME_TYPE_MEDIA_OBJECT =
    QStringLiteral("application/x-kova-media-object");
const QString KvEditorCommon::MIME_TYPE_URI = QStringLiteral("application/x-kova-uri-list");
const QString KvEditorCommon::MIME_TYPE_FILE_OPERATION =
    QStringLiteral("application/x-kova-file-operation");
// Neither verb is a prefix of the other: readers compare the beginning only.
const QString KvEditorCommon::FILE_OPERATION_COPY = QStringLiteral("Copy");
const QString KvEditorCommon::FILE_OPERATION_CUT = QStringLiteral("Cut");

namespace {

// ----- screens -------------------------------------------------------------------

int highestId(const QList<KvScreen*>& screens)
{
    int highest = 0;
    for (const KvScreen* screen : screens) {
        if (screen && screen->id() > highest)
            highest = screen->id();
    }
    return highest;
}

// Null entries go to the end in both orders.
int sortScreens(QList<KvScreen*>& screens, bool ascending)
{
    const auto before = [ascending](KvScreen* a, KvScreen* b) {
        if (!a || !b)
            return a && !b;
        return ascending ? a->zIndex() < b->zIndex() : a->zIndex() > b->zIndex();
    };
    // Stage screen lists are kept in z order, so most lists arrive sorted: checking first
    // costs one pass and leaves a shared list undetached.
    if (!std::is_sorted(screens.cbegin(), screens.cend(), before))
        std::stable_sort(screens.begin(), screens.end(), before);
    return highestId(screens);
}

// "Name (3)" -> ("Name", 3); a name without such a suffix -> (name, 1).
QString nameStem(const QString& name, int* number)
{
    static const QRegularExpression suffix(QStringLiteral("^(.*\\S) \\((\\d{1,9})\\)$"));
    const QRegularExpressionMatch match = suffix.match(name);
    if (match.hasMatch()) {
        *number = match.captured(2).toInt();
        return match.captured(1);
    }
    *number = 1;
    return name;
}

template <typename IsUsed> QString freeName(const QString& name, IsUsed isUsed)
{
    if (!isUsed(name))
        return name;
    int number = 1;
    const QString stem = nameStem(name, &number);
    for (int n = std::max(2, number + 1);; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)").arg(stem).arg(n);
        if (!isUsed(candidate))
            return candidate;
    }
}

// ----- dock layout store -----------------------------------------------------------

const QString keyArea = QStringLiteral("area");
const QString keyFloating = QStringLiteral("floating");
const QString keyVisible = QStringLiteral("visible");
const QString keyGeometry = QStringLiteral("geometry");
const QString keyTabGroups = QStringLiteral("tabifiedGroups");
const QString keyDocks = QStringLiteral("docks");
const QString keyCurrent = QStringLiteral("current");

// Limits for stored sizes: anything beyond is taken as damaged.
const int maximumExtent = 100000;

// Settings groups are separated by '/', so object names are kept free of separators.
QString groupName(const QString& objectName)
{
    QString group = objectName;
    group.replace(QLatin1Char('/'), QLatin1Char('_'));
    group.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return group;
}

bool validArea(int area)
{
    return area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea ||
           area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
}

// A stored value read as int/bool only when it really is one.
bool readInt(const QVariant& value, int* result)
{
    if (!value.isValid())
        return false;
    bool ok = false;
    const int number = value.toInt(&ok);
    if (ok)
        *result = number;
    return ok;
}

bool readBool(const QVariant& value, bool* result)
{
    if (!value.isValid())
        return false;
    if (value.type() == QVariant::Bool) {
        *result = value.toBool();
        return true;
    }
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) {
        *result = true;
        return true;
    }
    if (text == QLatin1String("false") || text == QLatin1String("0")) {
        *result = false;
        return true;
    }
    return false;
}

bool readRect(const QVariant& value, QRect* result)
{
    if (!value.isValid() || value.type() != QVariant::Rect)
        return false;
    const QRect rect = value.toRect();
    if (!rect.isValid() || rect.width() > maximumExtent || rect.height() > maximumExtent ||
        std::abs(rect.x()) > maximumExtent || std::abs(rect.y()) > maximumExtent)
        return false;
    *result = rect;
    return true;
}

// The docks laid out by the main window itself (nested main windows keep their own).
QList<QDockWidget*> docksOf(QMainWindow* mainWindow)
{
    QList<QDockWidget*> docks;
    const QList<QDockWidget*> children =
        mainWindow->findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QDockWidget* dock : children) {
        if (mainWindow->dockWidgetArea(dock) != Qt::NoDockWidgetArea)
            docks.append(dock);
    }
    return docks;
}

// The docks of one tab group in tab order, and the raised one, read from the main
// window's tab bars (each tab carries its dock's address as data; titles are the
// fallback). Empty when no tab bar matches the group.
QList<QDockWidget*> tabOrder(QMainWindow* mainWindow, const QSet<QDockWidget*>& group,
                             QDockWidget** current)
{
    const QList<QTabBar*> bars =
        mainWindow->findChildren<QTabBar*>(QString(), Qt::FindDirectChildrenOnly);
    for (QTabBar* bar : bars) {
        if (bar->count() != group.size())
            continue;
        QList<QDockWidget*> ordered;
        for (int i = 0; i < bar->count(); ++i) {
            QDockWidget* found = nullptr;
            const quintptr address = bar->tabData(i).value<quintptr>();
            for (QDockWidget* dock : group) {
                if (quintptr(dock) == address) {
                    found = dock;
                    break;
                }
            }
            if (!found) {
                for (QDockWidget* dock : group) {
                    if (dock->windowTitle() == bar->tabText(i) && !ordered.contains(dock)) {
                        found = dock;
                        break;
                    }
                }
            }
            if (!found || ordered.contains(found))
                break;
            ordered.append(found);
        }
        if (ordered.size() == group.size()) {
            *current = bar->currentIndex() >= 0 ? ordered.value(bar->currentIndex()) : nullptr;
            return ordered;
        }
    }
    return {};
}

struct StoredDock
{
    QDockWidget* dock = nullptr;
    int listIndex = 0;
    Qt::DockWidgetArea area = Qt::NoDockWidgetArea;
    bool floating = false;
    bool hasGeometry = false;
    QRect geometry;
};

// Size of a docked dock, at most the main window's size.
QSize dockedSize(const QRect& geometry, QMainWindow* mainWindow)
{
    QSize size = geometry.size();
    if (mainWindow->width() > 0)
        size.setWidth(std::min(size.width(), std::max(mainWindow->width(), 1)));
    if (mainWindow->height() > 0)
        size.setHeight(std::min(size.height(), std::max(mainWindow->height(), 1)));
    return size;
}

// A floating dock is only put where some screen shows it.
QRect onScreen(const QRect& geometry, QMainWindow* mainWindow)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return geometry;
    for (const QScreen* screen : screens) {
        if (screen->availableGeometry().intersects(geometry))
            return geometry;
    }
    QRect moved = geometry;
    QRect target = mainWindow->geometry();
    if (!target.isValid())
        target = screens.first()->availableGeometry();
    moved.moveCenter(target.center());
    return moved;
}

} // namespace

int KvEditorCommon::sortScreenByZIndexAscending(QList<KvScreen*>& screens)
{
    return sortScreens(screens, true);
}

int KvEditorCommon::sortScreenByZIndexDescending(QList<KvScreen*>& screens)
{
    return sortScreens(screens, false);
}

QString KvEditorCommon::checkName(const QString& name, int id, const QMap<int, QString>& namesInUse)
{
    return freeName(name, [&](const QString& candidate) {
        for (auto it = namesInUse.cbegin(); it != namesInUse.cend(); ++it) {
            if (it.key() != id && it.value() == candidate)
                return true;
        }
        return false;
    });
}

QString KvEditorCommon::checkName(const QString& name, int id, QMap<QString, int>* namesInUse)
{
    if (!namesInUse)
        return name;
    const QString chosen = freeName(name, [&](const QString& candidate) {
        const auto it = namesInUse->constFind(candidate);
        return it != namesInUse->cend() && it.value() != id;
    });
    namesInUse->insert(chosen, id);
    return chosen;
}

QString KvEditorCommon::getDurationString(double seconds, bool plus)
{
    const QString suffix = plus ? QStringLiteral("+") : QString();
    if (std::isnan(seconds) || seconds < 0)
        return QStringLiteral("--:--") + suffix;
    // Beyond ~68 years the count no longer fits; such values are shown capped.
    const double capped = std::min(seconds, 2.0e9);
    const qint64 total = qint64(std::llround(capped));
    const qint64 hours = total / 3600;
    const qint64 minutes = (total / 60) % 60;
    const qint64 secs = total % 60;
    QString text;
    if (hours > 0) {
        text = QStringLiteral("%1:%2:%3")
                   .arg(hours)
                   .arg(minutes, 2, 10, QLatin1Char('0'))
                   .arg(secs, 2, 10, QLatin1Char('0'));
    } else {
        text = QStringLiteral("%1:%2").arg(minutes).arg(secs, 2, 10, QLatin1Char('0'));
    }
    return text + suffix;
}

QImage KvEditorCommon::getDurationImage(const QString& text)
{
    if (text.isEmpty())
        return QImage();
    QFont font;
    font.setPixelSize(10);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text) + 8;
    const int height = metrics.height() + 2;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 3, 3);
    painter.fillPath(plate, QColor(32, 32, 32, 200));
    painter.setPen(QColor(240, 240, 240));
    painter.setFont(font);
    painter.drawText(QRect(0, 0, width, height), Qt::AlignCenter, text);
    painter.end();
    return image;
}

QSharedPointer<KvPluginExtScreenInterface>
KvEditorCommon::getPluginExtScreenInterface(const KvScreen* screen)
{
    QObject* object = screen ? screen->plugin() : nullptr;
    if (!object || !qobject_cast<KvPluginExtScreenInterface*>(object))
        return {};
    // The loader owns plug-in objects; the shared pointer keeps the screen's alive while
    // the caller works with it. Its own id is the likely record, any made one the others.
    QList<KvPluginInfo> candidates{KvPluginLoader::pluginInfo(screen->piid())};
    const QMap<QString, KvPluginBasicInfo> groups = KvPluginLoader::pluginGroups();
    for (const KvPluginBasicInfo& group : groups) {
        const QMap<QString, KvPluginInfo> plugins = group.plugins();
        for (const KvPluginInfo& info : plugins)
            candidates.append(info);
    }
    for (const KvPluginInfo& info : qAsConst(candidates)) {
        if (info.isValid() && info.isInstantiated() && info.pluginObject() == object)
            return qSharedPointerDynamicCast<KvPluginExtScreenInterface>(info.pluginInstance());
    }
    return {};
}

KvPluginGuiInterface* KvEditorCommon::getPluginGuiInterface(const KvScreen* screen)
{
    const QSharedPointer<KvPluginExtScreenInterface> plugin = getPluginExtScreenInterface(screen);
    return plugin ? plugin->guiInterface() : nullptr;
}

QSharedPointer<KvPluginExtScreenInterface> KvEditorCommon::applyPluginState(const KvScreen* screen)
{
    QSharedPointer<KvPluginExtScreenInterface> plugin = getPluginExtScreenInterface(screen);
    if (plugin)
        plugin->applyState(screen->toPluginScreen());
    return plugin;
}

bool KvEditorCommon::updateScreenFromPlugin(KvScreen* screen)
{
    const QSharedPointer<KvPluginExtScreenInterface> plugin = getPluginExtScreenInterface(screen);
    return plugin && screen->updatePropertyFromPlugin(plugin->state());
}

QVariant KvEditorCommon::defaultPluginState(const KvScreen* screen)
{
    const QSharedPointer<KvPluginExtScreenInterface> plugin = getPluginExtScreenInterface(screen);
    return plugin ? plugin->defaultState() : QVariant();
}

bool KvEditorCommon::tryInstallFileWatcher(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    QFileSystemWatcher watcher;
    return watcher.addPath(path);
}

bool KvEditorCommon::openFolderWithShell(const QString& path, QWidget* parent)
{
    Q_UNUSED(parent)
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void KvEditorCommon::storeDockWidgetGeometry(QDockWidget* dock, QMainWindow* mainWindow)
{
    QSettings* settings = KvEditorUserConfig::settings();
    if (!settings || !dock || !mainWindow || dock->objectName().isEmpty())
        return;
    settings->beginGroup(groupName(dock->objectName()));
    settings->setValue(keyArea, int(mainWindow->dockWidgetArea(dock)));
    settings->setValue(keyFloating, dock->isFloating());
    settings->setValue(keyVisible, !dock->isHidden());
    settings->setValue(keyGeometry, dock->geometry());
    settings->endGroup();
}

void KvEditorCommon::restoreDockWidgetGeometry(QDockWidget* dock, QMainWindow* mainWindow)
{
    QSettings* settings = KvEditorUserConfig::settings();
    if (!settings || !dock || !mainWindow || dock->objectName().isEmpty())
        return;
    settings->beginGroup(groupName(dock->objectName()));
    int area = 0;
    const bool hasArea = readInt(settings->value(keyArea), &area) && validArea(area);
    bool floating = false;
    const bool hasFloating =
        readBool(settings->value(keyFloating), &floating) &&
        (!floating || dock->features().testFlag(QDockWidget::DockWidgetFloatable));
    bool visible = true;
    const bool hasVisible = readBool(settings->value(keyVisible), &visible);
    QRect geometry;
    const bool hasGeometry = readRect(settings->value(keyGeometry), &geometry);
    settings->endGroup();

    const Qt::DockWidgetArea dockArea = Qt::DockWidgetArea(area);
    if (hasArea && dock->isAreaAllowed(dockArea) && mainWindow->dockWidgetArea(dock) != dockArea) {
        const bool wasHidden = dock->isHidden();
        mainWindow->addDockWidget(dockArea, dock);
        dock->setHidden(wasHidden);
    }
    if (hasFloating && dock->isFloating() != floating)
        dock->setFloating(floating);
    if (hasGeometry) {
        if (dock->isFloating()) {
            dock->setGeometry(onScreen(geometry, mainWindow));
        } else if (mainWindow->dockWidgetArea(dock) != Qt::NoDockWidgetArea) {
            const QSize size = dockedSize(geometry, mainWindow);
            const Qt::DockWidgetArea current = mainWindow->dockWidgetArea(dock);
            if (current == Qt::LeftDockWidgetArea || current == Qt::RightDockWidgetArea)
                mainWindow->resizeDocks({dock}, {size.width()}, Qt::Horizontal);
            else
                mainWindow->resizeDocks({dock}, {size.height()}, Qt::Vertical);
        }
    }
    if (hasVisible)
        dock->setVisible(visible);
}

void KvEditorCommon::storeTabifiedSettings(const QString& name, QMainWindow* mainWindow)
{
    QSettings* settings = KvEditorUserConfig::settings();
    if (!settings || !mainWindow || name.isEmpty())
        return;

    QList<QStringList> groups;
    QStringList currents;
    QSet<QDockWidget*> done;
    const QList<QDockWidget*> docks = docksOf(mainWindow);
    for (QDockWidget* dock : docks) {
        if (done.contains(dock) || dock->isFloating() || dock->objectName().isEmpty())
            continue;
        const QList<QDockWidget*> others = mainWindow->tabifiedDockWidgets(dock);
        if (others.isEmpty())
            continue;
        QSet<QDockWidget*> group;
        group.insert(dock);
        for (QDockWidget* other : others)
            group.insert(other);
        done.unite(group);

        QDockWidget* current = nullptr;
        QList<QDockWidget*> ordered = tabOrder(mainWindow, group, &current);
        if (ordered.isEmpty()) {
            // Without a tab bar (the window was never laid out) the list order is kept.
            ordered.append(dock);
            ordered.append(others);
        }
        if (!current) {
            for (QDockWidget* candidate : qAsConst(ordered)) {
                if (candidate->isVisible()) {
                    current = candidate;
                    break;
                }
            }
        }
        QStringList names;
        for (QDockWidget* member : qAsConst(ordered)) {
            if (!member->objectName().isEmpty())
                names.append(member->objectName());
        }
        if (names.size() < 2)
            continue;
        groups.append(names);
        currents.append(current ? current->objectName() : QString());
    }

    settings->beginGroup(groupName(name));
    settings->remove(keyTabGroups);
    settings->beginWriteArray(keyTabGroups, groups.size());
    for (int i = 0; i < groups.size(); ++i) {
        settings->setArrayIndex(i);
        settings->setValue(keyDocks, groups.at(i));
        settings->setValue(keyCurrent, currents.at(i));
    }
    settings->endArray();
    settings->endGroup();
    // The tab groups are stored last when a layout is saved: write it all out now.
    settings->sync();
}

void KvEditorCommon::restoreTabifiedSettings(const QString& name, QMainWindow* mainWindow)
{
    QSettings* settings = KvEditorUserConfig::settings();
    if (!settings || !mainWindow || name.isEmpty())
        return;

    QMap<QString, QDockWidget*> byName;
    const QList<QDockWidget*> docks = docksOf(mainWindow);
    for (QDockWidget* dock : docks) {
        if (!dock->objectName().isEmpty() && !byName.contains(dock->objectName()))
            byName.insert(dock->objectName(), dock);
    }

    QList<QList<QDockWidget*>> groups;
    QList<QDockWidget*> currents;
    QSet<QDockWidget*> used;
    settings->beginGroup(groupName(name));
    const int count = std::min(settings->beginReadArray(keyTabGroups), 1000);
    for (int i = 0; i < count; ++i) {
        settings->setArrayIndex(i);
        const QVariant namesValue = settings->value(keyDocks);
        QStringList names;
        if (namesValue.type() == QVariant::StringList || namesValue.type() == QVariant::List ||
            namesValue.type() == QVariant::String)
            names = namesValue.toStringList();
        QList<QDockWidget*> group;
        for (const QString& dockName : qAsConst(names)) {
            QDockWidget* dock = byName.value(dockName);
            // A dock belongs to one group; floating docks stay floating.
            if (!dock || used.contains(dock) || group.contains(dock) || dock->isFloating())
                continue;
            group.append(dock);
        }
        if (group.size() < 2)
            continue;
        for (QDockWidget* dock : qAsConst(group))
            used.insert(dock);
        groups.append(group);
        currents.append(byName.value(settings->value(keyCurrent).toString()));
    }
    settings->endArray();
    settings->endGroup();

    for (int g = 0; g < groups.size(); ++g) {
        const QList<QDockWidget*>& group = groups.at(g);
        QDockWidget* first = group.first();
        const Qt::DockWidgetArea area = mainWindow->dockWidgetArea(first);
        for (int i = 1; i < group.size(); ++i) {
            QDockWidget* dock = group.at(i);
            if (!dock->isAreaAllowed(area))
                continue;
            const bool wasHidden = dock->isHidden();
            mainWindow->tabifyDockWidget(first, dock);
            dock->setHidden(wasHidden);
        }
        QDockWidget* current = currents.at(g);
        if (current && group.contains(current) && !current->isHidden())
            current->raise();
    }
}

void KvEditorCommon::reorderDockWidgets(const QList<QDockWidget*>& docks, QMainWindow* mainWindow)
{
    QSettings* settings = KvEditorUserConfig::settings();
    if (!mainWindow)
        return;

    QList<StoredDock> stored;
    QSet<QDockWidget*> seen;
    for (int i = 0; i < docks.size(); ++i) {
        QDockWidget* dock = docks.at(i);
        if (!dock || seen.contains(dock) || dock->isFloating() ||
            mainWindow->dockWidgetArea(dock) == Qt::NoDockWidgetArea)
            continue;
        seen.insert(dock);
        StoredDock entry;
        entry.dock = dock;
        entry.listIndex = i;
        entry.area = mainWindow->dockWidgetArea(dock);
        if (settings && !dock->objectName().isEmpty()) {
            settings->beginGroup(groupName(dock->objectName()));
            int area = 0;
            if (readInt(settings->value(keyArea), &area) && validArea(area) &&
                dock->isAreaAllowed(Qt::DockWidgetArea(area)))
                entry.area = Qt::DockWidgetArea(area);
            entry.hasGeometry = readRect(settings->value(keyGeometry), &entry.geometry);
            settings->endGroup();
        }
        if (!entry.hasGeometry)
            entry.geometry = dock->geometry();
        stored.append(entry);
    }

    // Within an area the docks follow their stored position along the area: top to
    // bottom at the sides, left to right at the top and bottom; ties keep list order.
    std::stable_sort(stored.begin(), stored.end(), [](const StoredDock& a, const StoredDock& b) {
        if (a.area != b.area)
            return a.area < b.area;
        const bool sides = a.area == Qt::LeftDockWidgetArea || a.area == Qt::RightDockWidgetArea;
        const int pa = sides ? a.geometry.y() : a.geometry.x();
        const int pb = sides ? b.geometry.y() : b.geometry.x();
        if (pa != pb)
            return pa < pb;
        return a.listIndex < b.listIndex;
    });

    for (const StoredDock& entry : qAsConst(stored)) {
        const bool wasHidden = entry.dock->isHidden();
        const bool sides =
            entry.area == Qt::LeftDockWidgetArea || entry.area == Qt::RightDockWidgetArea;
        mainWindow->addDockWidget(entry.area, entry.dock, sides ? Qt::Vertical : Qt::Horizontal);
        entry.dock->setHidden(wasHidden);
    }

    // Re-adding loses the sizes: give the stored ones back, area by area.
    QMap<int, QList<QDockWidget*>> areaDocks;
    QMap<int, QList<int>> widths;
    QMap<int, QList<int>> heights;
    for (const StoredDock& entry : qAsConst(stored)) {
        if (!entry.hasGeometry)
            continue;
        const QSize size = dockedSize(entry.geometry, mainWindow);
        areaDocks[entry.area].append(entry.dock);
        widths[entry.area].append(std::max(size.width(), 1));
        heights[entry.area].append(std::max(size.height(), 1));
    }
    for (auto it = areaDocks.cbegin(); it != areaDocks.cend(); ++it) {
        const bool sides =
            it.key() == Qt::LeftDockWidgetArea || it.key() == Qt::RightDockWidgetArea;
        const QList<int>& across = sides ? widths[it.key()] : heights[it.key()];
        const QList<int>& along = sides ? heights[it.key()] : widths[it.key()];
        mainWindow->resizeDocks(it.value(), across, sides ? Qt::Horizontal : Qt::Vertical);
        mainWindow->resizeDocks(it.value(), along, sides ? Qt::Vertical : Qt::Horizontal);
    }
}

} // namespace Kova
