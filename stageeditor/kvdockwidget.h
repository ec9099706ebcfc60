#pragma once

#include <QDockWidget>
#include <QSize>

namespace Kova {

// A dock that reports its floating changes with itself as sender and that can be
// forced to a size for one layout pass.
class KvDockWidget : public QDockWidget
{
    Q_OBJECT
public:
    KvDockWidget(const QString& title, QWidget* parent = nullptr,
                 Qt::WindowFlags flags = Qt::WindowFlags());
    explicit KvDockWidget(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

    // Records the current minimum and maximum size, then pins the width and the height
    // (each when 0 or more): the maximum when the dock is at least that large, else the
    // minimum.
    void setDockedSize(int width, int height);

    QSize preDockedMinimumSize() const { return m_preMinimumSize; }
    QSize preDockedMaximumSize() const { return m_preMaximumSize; }

signals:
    void dockFloatingChanged(KvDockWidget* dock, bool floating);

public slots:
    // Puts back the sizes recorded by setDockedSize.
    void restorePreDockedSize();

private slots:
    void floatingChanged(bool floating);

private:
    QSize m_preMinimumSize;
    QSize m_preMaximumSize;
};

} // namespace Kova
