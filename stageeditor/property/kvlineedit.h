#pragma once

#include <QLineEdit>

namespace Kova {

// A line edit that takes file URLs dropped on it (the library's and the desktop's
// drags) and reports the first one.
class KvLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit KvLineEdit(QWidget* parent = nullptr);

signals:
    void dragEntered();
    void dragLeaved();
    void dropped(QString fileUrl);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace Kova
