#include "kveventeditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "kvevent.h"
#include "kveventaction.h"
#include "kvscreen.h"
#include "kvstage.h"

namespace Kova {

namespace {

enum Column { NameColumn = 0, StartColumn, EndColumn, ListenColumn, ColumnCount };

QWidget* centred(QWidget* inner)
{
    auto* holder = new QWidget;
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(inner, 0, Qt::AlignCenter);
    return holder;
}

} // namespace

KvEventEditor::KvEventEditor(KvStage* stage, QWidget* parent)
    : QDialog(parent)
    , m_stage(stage)
{
    setObjectName(QStringLiteral("EventEditor"));
    setWindowTitle(tr("Edit Events"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        tr("Choose when each screen raises an event and which event it listens to."), this));
    m_table = new QTableWidget(this);
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels(
        {tr("Screen"), tr("Raise on content start"), tr("Raise on content end"), tr("Listen to")});
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &KvEventEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 360);
    buildRows();
}

KvEventEditor::~KvEventEditor() = default;

bool KvEventEditor::raises(const KvScreen* screen, int type)
{
    for (const KvEvent& event : screen->raiseEventList()) {
        if (event.type() == type)
            return true;
    }
    return false;
}

QPair<int, int> KvEventEditor::currentListen(const KvScreen* screen)
{
    if (screen->waitEventList().isEmpty())
        return qMakePair(0, 0);
    const KvEvent& event = screen->waitEventList().first();
    return qMakePair(event.screenId(), event.type());
}

void KvEventEditor::buildRows()
{
    if (!m_stage)
        return;
    QList<KvScreen*> screens = m_stage->screenList();
    std::stable_sort(screens.begin(), screens.end(), [](const KvScreen* a, const KvScreen* b) {
        return a->zIndex() > b->zIndex();
    });
    m_table->setRowCount(screens.count());
    for (int i = 0; i < screens.count(); ++i) {
        Row row;
        row.screen = screens.at(i);
        m_table->setItem(i, NameColumn, new QTableWidgetItem(row.screen->name()));
        row.raiseStart = new QCheckBox;
        row.raiseStart->setChecked(raises(row.screen, KvEvent::ContentStart));
        row.raiseEnd = new QCheckBox;
        row.raiseEnd->setChecked(raises(row.screen, KvEvent::ContentEnd));
        row.listen = new QComboBox;
        m_table->setCellWidget(i, StartColumn, centred(row.raiseStart));
        m_table->setCellWidget(i, EndColumn, centred(row.raiseEnd));
        m_table->setCellWidget(i, ListenColumn, row.listen);
        connect(row.raiseStart, &QCheckBox::toggled, this, &KvEventEditor::onRaiseChanged);
        connect(row.raiseEnd, &QCheckBox::toggled, this, &KvEventEditor::onRaiseChanged);
        connect(row.listen, qOverload<int>(&QComboBox::currentIndexChanged), this,
                &KvEventEditor::onListenChanged);
        m_rows.append(row);
    }
    refillListenCombos();
}

void KvEventEditor::refillListenCombos()
{
    m_refilling = true;
    for (Row& row : m_rows) {
        const QPair<int, int> chosen =
            row.listenTouched ? qMakePair(row.listen->currentData().toList().value(0).toInt(),
                                          row.listen->currentData().toList().value(1).toInt())
                              : currentListen(row.screen);
        row.listen->clear();
        row.listen->addItem(tr("(none)"), QVariantList{0, 0});
        int chosenIndex = 0;
        for (const Row& other : qAsConst(m_rows)) {
            if (other.screen == row.screen)
                continue;
            const struct
            {
                QCheckBox* box;
                int type;
                QString text;
            } kinds[] = {{other.raiseStart, KvEvent::ContentStart, tr("%1: content start")},
                         {other.raiseEnd, KvEvent::ContentEnd, tr("%1: content end")}};
            for (const auto& kind : kinds) {
                if (!kind.box->isChecked())
                    continue;
                row.listen->addItem(kind.text.arg(other.screen->name()),
                                    QVariantList{other.screen->id(), kind.type});
                if (chosen.first == other.screen->id() && chosen.second == kind.type)
                    chosenIndex = row.listen->count() - 1;
            }
        }
        row.listen->setCurrentIndex(chosenIndex);
    }
    m_refilling = false;
}

void KvEventEditor::onRaiseChanged()
{
    refillListenCombos();
}

void KvEventEditor::onListenChanged()
{
    if (m_refilling)
        return;
    auto* combo = qobject_cast<QComboBox*>(sender());
    for (Row& row : m_rows) {
        if (row.listen == combo)
            row.listenTouched = true;
    }
}

void KvEventEditor::setActiveSource(KvScreen* screen)
{
    const int row = rowOfScreen(screen);
    if (row < 0)
        return;
    m_table->selectRow(row);
    m_table->scrollToItem(m_table->item(row, NameColumn));
}

void KvEventEditor::setActiveReceiver(KvScreen* screen)
{
    const int row = rowOfScreen(screen);
    if (row < 0)
        return;
    m_table->scrollToItem(m_table->item(row, NameColumn));
    m_rows.at(row).listen->setFocus();
}

int KvEventEditor::showWidget(bool modeless)
{
    if (modeless) {
        show();
        return -1;
    }
    return exec();
}

int KvEventEditor::rowCount() const
{
    return m_rows.count();
}

int KvEventEditor::rowOfScreen(const KvScreen* screen) const
{
    if (!screen)
        return -1;
    for (int i = 0; i < m_rows.count(); ++i) {
        if (m_rows.at(i).screen == screen)
            return i;
    }
    return -1;
}

QCheckBox* KvEventEditor::raiseOnStartBox(int row) const
{
    return (row >= 0 && row < m_rows.count()) ? m_rows.at(row).raiseStart : nullptr;
}

QCheckBox* KvEventEditor::raiseOnEndBox(int row) const
{
    return (row >= 0 && row < m_rows.count()) ? m_rows.at(row).raiseEnd : nullptr;
}

QComboBox* KvEventEditor::listenComboBox(int row) const
{
    return (row >= 0 && row < m_rows.count()) ? m_rows.at(row).listen : nullptr;
}

bool KvEventEditor::setListenChoice(int row, int raisingScreenId, int eventType)
{
    QComboBox* combo = listenComboBox(row);
    if (!combo)
        return false;
    for (int i = 0; i < combo->count(); ++i) {
        const QVariantList choice = combo->itemData(i).toList();
        if (choice.value(0).toInt() == raisingScreenId && choice.value(1).toInt() == eventType) {
            combo->setCurrentIndex(i);
            m_rows[row].listenTouched = true;
            return true;
        }
    }
    return false;
}

void KvEventEditor::applyRow(const Row& row)
{
    KvScreen* screen = row.screen;
    const struct
    {
        QCheckBox* box;
        int type;
    } kinds[] = {{row.raiseStart, KvEvent::ContentStart}, {row.raiseEnd, KvEvent::ContentEnd}};
    for (const auto& kind : kinds) {
        const bool has = raises(screen, kind.type);
        if (kind.box->isChecked() && !has) {
            screen->raiseEventList().append(
                KvEvent(kind.type, screen->id(), KvEvent::Raise, {}, false, screen));
        } else if (!kind.box->isChecked() && has) {
            QList<KvEvent>& list = screen->raiseEventList();
            for (int i = list.count() - 1; i >= 0; --i) {
                if (list.at(i).type() == kind.type)
                    list.removeAt(i);
            }
        }
    }

    // The listen choice: untouched rows keep their waits unless the raise they listened
    // to is gone.
    const QVariantList choice = row.listen->currentData().toList();
    const int sourceId = choice.value(0).toInt();
    const int type = choice.value(1).toInt();
    const QPair<int, int> before = currentListen(screen);
    if (!row.listenTouched && before.first == sourceId && before.second == type)
        return;
    QStringList actions{KvEventAction::toString(KvEventAction::GotoNext)};
    if (!screen->waitEventList().isEmpty())
        actions = screen->waitEventList().first().actions();
    screen->waitEventList().clear();
    if (sourceId > 0)
        screen->waitEventList().append(
            KvEvent(type, sourceId, KvEvent::Wait, actions, false, screen));
}

void KvEventEditor::accept()
{
    for (const Row& row : qAsConst(m_rows))
        applyRow(row);
    QDialog::accept();
}

} // namespace Kova
