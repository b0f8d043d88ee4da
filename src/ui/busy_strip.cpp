#include "ui/busy_strip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "commands/progress_text.h"

namespace quorvix {

namespace {

// Auto's bar counts each command in this many steps, so that the running
// command's own fraction moves it between two whole commands.
constexpr int kStepsPerStage = 100;
constexpr int kFractionSteps = 1000;
constexpr int kPollMilliseconds = 100;

}  // namespace

ProgressView ViewOf(const Progress& progress) {
    ProgressView view;
    const double fraction = progress.Fraction < 0.0 ? -1.0 : std::min(progress.Fraction, 1.0);
    if (progress.Stages > 0) {
        view.Maximum = progress.Stages * kStepsPerStage;
        view.Value = progress.Stage * kStepsPerStage;
        if (fraction > 0.0) view.Value += static_cast<int>(std::floor(fraction * (kStepsPerStage - 1)));
        view.Text = QString::fromStdString(StageText(progress));
        return view;
    }
    if (fraction >= 0.0) {
        view.Maximum = kFractionSteps;
        view.Value = static_cast<int>(std::floor(fraction * kFractionSteps));
        view.Text = QStringLiteral("%1 %").arg(WholePercent(fraction));
    }
    return view;
}

BusyStrip::BusyStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("BusyStrip"));
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    cancelButton_->setToolTip(QStringLiteral("Stop the running calculation (Esc)"));
    cancelButton_->setFocusPolicy(Qt::NoFocus);
    cancelButton_->setFixedSize(80, 24);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setFixedSize(220, 20);
    progressBar_->setTextVisible(true);
    progressBar_->setAlignment(Qt::AlignCenter);
    elapsed_ = new QLabel(this);
    elapsed_->setObjectName(QStringLiteral("ElapsedTime"));
    elapsed_->setFixedSize(48, 24);
    QPalette palette = elapsed_->palette();
    palette.setColor(QPalette::WindowText, Qt::white);  // on the dark bottom border
    elapsed_->setPalette(palette);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(cancelButton_);
    row->addWidget(progressBar_);
    row->addWidget(elapsed_);
    pollTimer_ = new QTimer(this);
    pollTimer_->setInterval(kPollMilliseconds);
    connect(pollTimer_, &QTimer::timeout, this, &BusyStrip::Poll);
    connect(cancelButton_, &QPushButton::clicked, this, &BusyStrip::CancelClicked);
    hide();
}

void BusyStrip::Start() { clock_.start(); }

void BusyStrip::Reveal() {
    Poll();
    show();
    raise();
    pollTimer_->start();
}

void BusyStrip::Stop() {
    pollTimer_->stop();
    hide();
}

void BusyStrip::Poll() {
    const ProgressView view = ViewOf(CurrentProgress());
    progressBar_->setRange(0, view.Maximum);
    progressBar_->setValue(view.Value);
    progressBar_->setFormat(view.Text);
    elapsed_->setText(clock_.isValid()
                          ? QString::fromStdString(ElapsedText(std::chrono::milliseconds(clock_.elapsed())))
                          : QString());
}

}  // namespace quorvix
