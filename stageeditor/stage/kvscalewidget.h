#pragma once

#include <QString>
#include <QWidget>

class QComboBox;

namespace Kova {

// The zoom box of a stage tab's status bar: an editable list of zoom percentages.
// The zoom always stays between 10 % and 1000 %; typed values join the list in
// ascending order.
class KvScaleWidget : public QWidget
{
    Q_OBJECT
public:
    explicit KvScaleWidget(QWidget* parent = nullptr);
    ~KvScaleWidget() override;

    double rate() const { return m_rate; }
    // The rate in percent, truncated toward zero.
    int ratePercent() const;
    void setRatePercent(int percent);
    void setRate(double rate);

    QComboBox* comboBox() const { return m_comboBox; }

signals:
    void rateChanged(double rate);

public slots:
    void onComboBoxTextChanged(QString text = QString());

private:
    void applyRate(double rate);
    void showRate();

    QComboBox* m_comboBox = nullptr;
    double m_rate = 1.0;
    bool m_busy = false;
};

} // namespace Kova
