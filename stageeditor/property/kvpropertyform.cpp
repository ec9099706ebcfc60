#include "kvpropertyform.h"

#include <QAbstractSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

namespace Kova {

QSpinBox* KvPropertyForm::createSpinBox(const QString& objectName, int minimum, int maximum,
                                        QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(objectName);
    box->setRange(minimum, maximum);
    box->setSingleStep(1);
    box->setValue(0);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setMinimumWidth(80);
    return box;
}

QLabel* KvPropertyForm::createLabel(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

namespace {

// A group of two labelled spin boxes, one above the other.
QGroupBox* createPairGroup(QWidget* parent, const QString& groupName, const QString& title,
                           const QString (&names)[2][2], const QString (&texts)[2], int minimum,
                           int maximum, QSpinBox** first, QSpinBox** second)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(groupName);
    auto* layout = new QGridLayout(group);
    QSpinBox** boxes[2] = {first, second};
    for (int row = 0; row < 2; ++row) {
        *boxes[row] = KvPropertyForm::createSpinBox(names[row][1], minimum, maximum, group);
        layout->addWidget(KvPropertyForm::createLabel(names[row][0], texts[row], group), row, 0);
        layout->addWidget(*boxes[row], row, 1);
    }
    return group;
}

} // namespace

QGroupBox* KvPropertyForm::createPositionGroup(QWidget* parent, QSpinBox** left, QSpinBox** top)
{
    const QString names[2][2] = {{QStringLiteral("label_Left"), QStringLiteral("spinBox_Left")},
                                 {QStringLiteral("label_Top"), QStringLiteral("spinBox_Top")}};
    const QString texts[2] = {tr("X"), tr("Y")};
    return createPairGroup(parent, QStringLiteral("groupBox_Position"), tr("Position"), names,
                           texts, -PositionLimit, PositionLimit, left, top);
}

QGroupBox* KvPropertyForm::createSizeGroup(QWidget* parent, QSpinBox** width, QSpinBox** height)
{
    const QString names[2][2] = {
        {QStringLiteral("label_Width"), QStringLiteral("spinBox_Width")},
        {QStringLiteral("label_Height"), QStringLiteral("spinBox_Height")}};
    const QString texts[2] = {tr("W"), tr("H")};
    return createPairGroup(parent, QStringLiteral("groupBox_Size"), tr("Size"), names, texts, 0,
                           SizeLimit, width, height);
}

bool KvPropertyForm::isStrayWheel(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel)
        return false;
    auto* box = qobject_cast<QAbstractSpinBox*>(watched);
    if (!box || box->hasFocus())
        return false;
    event->ignore();
    return true;
}

} // namespace Kova
