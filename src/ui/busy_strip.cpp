#include "ui/busy_strip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cmath>

#include "commands/progress_text.h"

namespace quorvix {

namespace {

constexpr int kFractionSteps = 1000;
constexpr int kPollMilliseconds = 100;

}  // namespace

ProgressView ViewOf(const Progress& progress) {
    // The whole command's fraction: for Auto, its commands done and the
    // running one's part.
    ProgressView view;
    const double fraction = CommandFraction(progress);
    if (fraction < 0.0) return view;
    view.Maximum = kFractionSteps;
    view.Value = static_cast<int>(std::floor(fraction * kFractionSteps));
    view.Text = progress.Stages > 0 ? QString::fromStdString(StageText(progress))
                                    : QStringLiteral("%1 %").arg(WholePercent(fraction));
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
    elapsed_->setFixedSize(140, 24);
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
    const Progress progress = CurrentProgress();
    const ProgressView view = ViewOf(progress);
    progressBar_->setRange(0, view.Maximum);
    progressBar_->setValue(view.Value);
    progressBar_->setFormat(view.Text);
    elapsed_->setText(clock_.isValid() ? QString::fromStdString(TimeText(CommandFraction(progress),
                                                                         std::chrono::milliseconds(clock_.elapsed())))
                                       : QString());
}

}  // namespace quorvix
