#pragma once

#include <QStringList>

namespace Kova {

class KvScreen;

// An event a screen raises (direction Raise) or waits for (direction Wait).
// type: 2 a medium started, 4 a medium ended. screenId: for a raised event the
// raising screen itself, for a waited event the screen that raises it.
class KvEvent
{
public:
    enum Direction { Raise = 1, Wait = 2 };
    enum Type { ContentStart = 2, ContentEnd = 4 };

    KvEvent() = default;
    KvEvent(int type, int screenId, Direction direction, const QStringList& actions = {},
            bool localOnly = false, KvScreen* parent = nullptr);
    KvEvent(const KvEvent& other) = default;
    KvEvent& operator=(const KvEvent& other) = default;

    int type() const { return m_type; }
    void setType(int type) { m_type = type; }
    int screenId() const { return m_screenId; }
    void setScreenId(int id) { m_screenId = id; }
    QStringList actions() const { return m_actions; }
    void setActions(const QStringList& actions) { m_actions = actions; }
    Direction direction() const { return m_direction; }
    void setDirection(Direction direction) { m_direction = direction; }
    bool localOnly() const { return m_localOnly; }
    void setLocalOnly(bool localOnly) { m_localOnly = localOnly; }
    KvScreen* parent() const { return m_parent; }
    void setParent(KvScreen* parent) { m_parent = parent; }

    // Equal content; the parent screen is not compared.
    bool isMatch(const KvEvent& other) const;

private:
    int m_type = ContentStart;
    int m_screenId = 0;
    QStringList m_actions;
    Direction m_direction = Raise;
    bool m_localOnly = false;
    KvScreen* m_parent = nullptr;
};

} // namespace Kova
