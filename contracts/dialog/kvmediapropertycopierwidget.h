#pragma once

#include <QList>
#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;

namespace Kova {

class KvMedia;
class KvScreen;

// Chooses where the properties of one medium are copied to: one screen of the stage and one or
// more of its media, listed by name and file with check boxes. Shows the properties that will
// be copied, which are all but the file (uri).
class KvMediaPropertyCopierWidget : public QWidget
{
    Q_OBJECT
public:
    explicit KvMediaPropertyCopierWidget(QWidget* parent = nullptr);
    ~KvMediaPropertyCopierWidget() override;

    // The medium whose properties are copied; it is not offered as a target.
    void setMedia(const KvMedia* media);
    const KvMedia* media() const { return m_media; }
    // The screens that may receive the properties. No screen is chosen at first.
    void setScreens(const QList<KvScreen*>& screens);

    // The id of the chosen screen; -1 when none.
    int selectedScreenId() const;
    // The indices, in the chosen screen's media list, of the checked media, ascending.
    QList<int> selectedMediaIndices() const;
    // A screen and at least one of its media are chosen.
    bool isComplete() const;

    // Chooses the screen with that id (-1: none); false when it is not offered.
    bool selectScreen(int screenId);

signals:
    void selectionChanged();

private slots:
    void onScreenChosen();
    void onItemChanged(QListWidgetItem* item);
    void checkAll(bool checked);

private:
    void fillProperties();
    KvScreen* chosenScreen() const;

    const KvMedia* m_media = nullptr;
    QList<KvScreen*> m_screens;
    QLabel* m_sourceLabel = nullptr;
    QTreeWidget* m_propertyTree = nullptr;
    QComboBox* m_screenCombo = nullptr;
    QListWidget* m_mediaList = nullptr;
    QPushButton* m_allButton = nullptr;
    QPushButton* m_noneButton = nullptr;
};

} // namespace Kova
