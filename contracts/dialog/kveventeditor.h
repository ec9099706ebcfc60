#pragma once

#include <QDialog>
#include <QList>
#include <QPair>

class QComboBox;
class QCheckBox;
class QTableWidget;

namespace Kova {

class KvScreen;
class KvStage;

// Edits the events of a stage's screens: per screen whether it raises an event when a
// medium starts and when one ends, and which raised event it listens to. Accepting
// writes the choices into the stage's screens; cancelling leaves the stage untouched.
// exec() returns 1 when accepted.
class KvEventEditor : public QDialog
{
    Q_OBJECT
public:
    explicit KvEventEditor(KvStage* stage, QWidget* parent = nullptr);
    ~KvEventEditor() override;

    KvStage* stage() const { return m_stage; }
    // The screen whose row is shown first and selected (the one that raises).
    void setActiveSource(KvScreen* screen);
    // The screen whose listen choice gets the focus.
    void setActiveReceiver(KvScreen* screen);
    // Shows the dialog; modeless returns -1 at once, otherwise the dialog runs modally
    // and its result is returned (1 accepted, 0 cancelled).
    int showWidget(bool modeless);

    // Row access, for the owner and for tests: rows follow the stage's screens from the
    // front-most to the back-most.
    int rowCount() const;
    int rowOfScreen(const KvScreen* screen) const;
    QCheckBox* raiseOnStartBox(int row) const;
    QCheckBox* raiseOnEndBox(int row) const;
    QComboBox* listenComboBox(int row) const;
    // Chooses the listened event of a row: the raising screen's id and the event type
    // (0 for none). False when that event is not offered.
    bool setListenChoice(int row, int raisingScreenId, int eventType);

public slots:
    void accept() override;

private slots:
    void onRaiseChanged();
    void onListenChanged();

private:
    struct Row
    {
        KvScreen* screen = nullptr;
        QCheckBox* raiseStart = nullptr;
        QCheckBox* raiseEnd = nullptr;
        QComboBox* listen = nullptr;
        bool listenTouched = false;
    };

    void buildRows();
    void refillListenCombos();
    static bool raises(const KvScreen* screen, int type);
    static QPair<int, int> currentListen(const KvScreen* screen);
    void applyRow(const Row& row);

    KvStage* m_stage = nullptr;
    QTableWidget* m_table = nullptr;
    QList<Row> m_rows;
    bool m_refilling = false;
};

} // namespace Kova
