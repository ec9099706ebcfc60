#pragma once

#include <QCheckBox>

namespace Kova {

// A check box that may show a mixed (partially checked) state for a selection of
// several objects, but whose clicks only ever lead to checked or unchecked: every
// click turns the tri-state mode off while the reset flag is set (the default).
class KvCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit KvCheckBox(QWidget* parent = nullptr);
    explicit KvCheckBox(const QString& text, QWidget* parent = nullptr);

    bool resetTristateOnClick() const { return m_resetTristate; }
    void setResetTristateOnClick(bool reset) { m_resetTristate = reset; }

public slots:
    void onClicked();

private:
    bool m_resetTristate = true;
};

} // namespace Kova
