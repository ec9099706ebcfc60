#pragma once

#include <QDialog>

class QPushButton;

namespace Kova {

class KvMediaPropertyCopierWidget;

// Copies the properties of one medium to others: the choice is made in the main widget, and
// OK is offered once a screen and at least one of its media are chosen. The dialog keeps the
// geometry it is given before it is shown, so its owner can reopen it where it was last.
class KvMediaPropertyCopierDialog : public QDialog
{
    Q_OBJECT
public:
    explicit KvMediaPropertyCopierDialog(QWidget* parent = nullptr);
    ~KvMediaPropertyCopierDialog() override;

    KvMediaPropertyCopierWidget* mainWidget() const { return m_widget; }
    QPushButton* okButton() const { return m_okButton; }

private slots:
    void updateOkButton();

private:
    KvMediaPropertyCopierWidget* m_widget = nullptr;
    QPushButton* m_okButton = nullptr;
};

} // namespace Kova
