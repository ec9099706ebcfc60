#pragma once

#include <QWidget>

class QLabel;

namespace Kova {

class KvStage;

// A summary of a stage's properties under the title "Stage Description": file name,
// size, position, background colour and picture, screen count and the two resize options.
class KvStageDescription : public QWidget
{
    Q_OBJECT
public:
    explicit KvStageDescription(QWidget* parent = nullptr);
    ~KvStageDescription() override;

    // Readable text colour ("#000000" or "#ffffff") on `background`.
    static QString contrastTextColor(const QColor& background);

public slots:
    void clear();
    void setStage(const KvStage& stage);

private:
    QLabel* addRow(const QString& caption, const QString& objectName);

    QLabel* m_fileName = nullptr;
    QLabel* m_size = nullptr;
    QLabel* m_position = nullptr;
    QLabel* m_backgroundColor = nullptr;
    QLabel* m_backgroundImage = nullptr;
    QLabel* m_screenCount = nullptr;
    QLabel* m_useDesktopSize = nullptr;
    QLabel* m_autoAdjustment = nullptr;
    int m_rows = 0;
};

} // namespace Kova
