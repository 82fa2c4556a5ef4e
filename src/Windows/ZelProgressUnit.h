// The progress window of a long search: a gauge, the elapsed, estimated total and
// estimated remaining time, Cancel, and "Close when done". While it is shown no other
// window of the program takes input (it is application-modal); the search calls Progress, which
// lets the window repaint and answers whether Cancel was pressed. After a search that finished, the
// window either closes or stays with the final figures and a "Close" button, as the user chose.
#pragma once

#include <QDateTime>
#include <QDialog>

#include <string>

class QCheckBox;
class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class TZelProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TZelProgressForm(QWidget* parent = nullptr);
    ~TZelProgressForm() override;

    void Start();
    // The search's progress; true asks it to stop.
    bool Progress(int position, int itemsFound, int total);
    void Finish();
    // Always called after the search, also after a failure.
    void CloseProgress();

    // A duration as minutes and seconds: 65 seconds read 1' 05".
    static QString FormatDuration(qint64 seconds);

    // The figures, whole seconds (-1: not yet estimated).
    qint64 Elapsed() const { return ElapsedSeconds; }
    qint64 EstimatedTotal() const { return TotalSeconds; }
    qint64 EstimatedLeft() const { return LeftSeconds; }
    bool IsFinished() const { return Finished; }
    bool IsCancelRequested() const { return CancelRequested; }
    QProgressBar* Gauge() const { return Bar; }
    QPushButton* CancelButton() const { return Button; }
    QCheckBox* CloseWhenDone() const { return CloseCheck; }
    QLabel* TimeField(int row) const;
    // Recomputes the figures as of now (the timer's work); tests move the clock.
    void UpdateTimes();
    void SetStartTime(const QDateTime& start) { StartTime = start; }
    std::string SettingsKey() const;

protected:
    // The derived window shows the items found.
    virtual void ShowFigures();
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    QGridLayout* FieldsLayout() const { return Fields; }
    int ItemsFound = 0;

private:
    void OnButton();

    QProgressBar* Bar;
    QLabel* ElapsedField;
    QLabel* TotalField;
    QLabel* LeftField;
    QLabel* TotalLabel;
    QLabel* LeftLabel;
    QPushButton* Button;
    QCheckBox* CloseCheck;
    QTimer* Ticker;
    QGridLayout* Fields;
    QDateTime StartTime;
    qint64 ElapsedSeconds = 0;
    qint64 TotalSeconds = -1;
    qint64 LeftSeconds = -1;
    int Position = 0;
    int Total = 0;
    int NextGaugePosition = 0;
    bool CancelRequested = false;
    bool Finished = false;
    bool Running = false;
};
