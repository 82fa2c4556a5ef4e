#include "ZelProgressUnit.h"

#include "ZelBaseAppData.h"
#include "ZelBaseDataModule.h"
#include "ZelErrors.h"
#include "ZelSettingsStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int GaugeMaximum = 100;
}

TZelProgressForm::TZelProgressForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Bar(new QProgressBar), ElapsedField(new QLabel), TotalField(new QLabel),
      LeftField(new QLabel), TotalLabel(new QLabel(tr("Estimated total time:"))),
      LeftLabel(new QLabel(tr("Estimated left time:"))), Button(new QPushButton(tr("Cancel"))),
      CloseCheck(new QCheckBox(tr("Close when &done"))), Ticker(new QTimer(this)),
      Fields(new QGridLayout) {
    setObjectName("ZelProgressForm");
    setWindowTitle(tr("Progress:"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    Bar->setRange(0, GaugeMaximum);
    Bar->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Bar);
    auto* box = new QFrame;
    box->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    box->setLayout(Fields);
    Fields->addWidget(new QLabel(tr("Elapsed time:")), 0, 0);
    Fields->addWidget(ElapsedField, 0, 1, Qt::AlignRight);
    Fields->addWidget(TotalLabel, 1, 0);
    Fields->addWidget(TotalField, 1, 1, Qt::AlignRight);
    Fields->addWidget(LeftLabel, 2, 0);
    Fields->addWidget(LeftField, 2, 1, Qt::AlignRight);
    layout->addWidget(box);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CloseCheck);
    bottom->addStretch();
    bottom->addWidget(Button);
    layout->addLayout(bottom);
    Button->setDefault(true);
    connect(Button, &QPushButton::clicked, this, &TZelProgressForm::OnButton);
    Ticker->setInterval(1000);
    connect(Ticker, &QTimer::timeout, this, &TZelProgressForm::UpdateTimes);
    try {
        if (auto key = ZelSettings().OpenKey(TZelHive::CurrentUser, SettingsKey(), false))
            if (auto close = key->ReadInteger("CloseWhenDone"))
                CloseCheck->setChecked(*close != 0);
    } catch (const EZelError&) {
        // An unreadable value keeps the box as it is.
    }
    setMinimumWidth(340);
}

TZelProgressForm::~TZelProgressForm() {
    try {
        auto key = ZelSettings().OpenKey(TZelHive::CurrentUser, SettingsKey(), true);
        key->WriteInteger("CloseWhenDone", CloseCheck->isChecked() ? 1 : 0);
    } catch (const EZelError&) {
    }
}

std::string TZelProgressForm::SettingsKey() const {
    return ZelWindowSettingsKey(objectName().toStdString());
}

QLabel* TZelProgressForm::TimeField(int row) const {
    return row == 0 ? ElapsedField : row == 1 ? TotalField : LeftField;
}

QString TZelProgressForm::FormatDuration(qint64 seconds) {
    if (seconds < 0)
        return "?";
    return QString::asprintf("%d' %.2d", int(seconds / 60), int(seconds % 60)) + '"';
}

void TZelProgressForm::Start() {
    Bar->setValue(0);
    StartTime = QDateTime::currentDateTime();
    ElapsedSeconds = 0;
    TotalSeconds = LeftSeconds = -1;
    CancelRequested = Finished = false;
    Position = Total = NextGaugePosition = 0;
    Running = true;
    Button->setText(tr("Cancel"));
    TotalLabel->setEnabled(true);
    LeftLabel->setEnabled(true);
    TotalField->setEnabled(true);
    LeftField->setEnabled(true);
    ShowFigures();
    // Application-modal: the other windows take no input while the search runs, as if
    // disabled, without greying what the user is looking at.
    setWindowModality(Qt::ApplicationModal);
    show();
    Ticker->start();
}

bool TZelProgressForm::Progress(int position, int itemsFound, int total) {
    ItemsFound = itemsFound;
    if (total != Total) {
        NextGaugePosition = total / GaugeMaximum;
        Total = total;
    }
    if (position >= NextGaugePosition) {
        if (Total <= 0) {
            Bar->setValue(GaugeMaximum);
        } else {
            int gauge = int(qint64(position) * GaugeMaximum / Total);
            Bar->setValue(std::min(gauge, GaugeMaximum));
            NextGaugePosition = int(qint64(gauge + 1) * Total / GaugeMaximum);
        }
    }
    Position = position;
    QApplication::processEvents();
    return CancelRequested;
}

void TZelProgressForm::Finish() {
    Finished = true;
    Ticker->stop();
}

void TZelProgressForm::UpdateTimes() {
    ElapsedSeconds = StartTime.secsTo(QDateTime::currentDateTime());
    TotalSeconds = ElapsedSeconds;
    if (Position > 0 && Total >= Position) {
        TotalSeconds = qint64(double(Total) * double(ElapsedSeconds) / double(Position));
        LeftSeconds = TotalSeconds - ElapsedSeconds;
    }
    ShowFigures();
}

void TZelProgressForm::ShowFigures() {
    ElapsedField->setText(FormatDuration(ElapsedSeconds));
    TotalField->setText(FormatDuration(TotalSeconds));
    LeftField->setText(FormatDuration(LeftSeconds));
}

void TZelProgressForm::CloseProgress() {
    Ticker->stop();
    Running = false;
    if (!Finished || CloseCheck->isChecked()) {
        hide();
        return;
    }
    // The final figures stay until the user closes the window.
    Bar->setValue(GaugeMaximum);
    Position = Total;
    UpdateTimes();
    TotalLabel->setEnabled(false);
    LeftLabel->setEnabled(false);
    TotalField->setEnabled(false);
    LeftField->setEnabled(false);
    Button->setText(tr("&Close"));
}

void TZelProgressForm::OnButton() {
    if (Running) {
        CancelRequested = true; // the search stops at its next progress call
        return;
    }
    hide();
}

void TZelProgressForm::reject() {
    OnButton(); // Escape is the button
}

void TZelProgressForm::closeEvent(QCloseEvent* event) {
    if (Running) {
        CancelRequested = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
