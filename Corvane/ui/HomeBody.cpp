#include "HomeBody.h"

#include "AISection.h"
#include "DashFooter.h"
#include "DashStyle.h"
#include "DiskSection.h"
#include "MemoryColumn.h"

#include "views/DiskSection.h"
#include "views/IdleStat.h"
#include "views/MemoryColumn.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace corvane {

namespace {

/// A rounded, slightly lighter card that holds one side of the home body.
class Card final : public QWidget {
public:
    explicit Card(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(DashStyle::cardColor);
        painter.drawRoundedRect(QRectF(rect()), DashStyle::cardRadius, DashStyle::cardRadius);
    }
};

QVBoxLayout* cardLayout(Card* card) {
    auto* layout = new QVBoxLayout(card);
    const int pad = DashStyle::cardPadding;
    layout->setContentsMargins(pad, pad, pad, pad);
    layout->setSpacing(DashStyle::sectionSpacing * 2);
    // Sections keep their own height at the top of the card; the card's spare height stays below.
    layout->addStretch(1);
    return layout;
}

void callIfSet(const std::function<void()>& action) {
    if (action) action();
}

} // namespace

HomeBody::HomeBody(std::shared_ptr<AppModel> model, const DashboardContext& context, QWidget* parent)
    : DashboardBody(parent), model_(std::move(model)), context_(context), left_(nullptr), right_(nullptr),
      ai_(nullptr), memory_(nullptr), disk_(nullptr), footer_(nullptr) {
    AppModel* m = model_.get();
    ai_ = new AISection([m](const AIRow& row) { m->openSession(row.tool, *row.sessionID); },
                        [m](bool expanded) { m->setAIExpanded(expanded); }, this);
    memory_ = new MemoryColumn([m] { m->openOptimize(); }, [m] { m->oneClickTapped(); }, this);
    disk_ = new DiskSection([m] { m->measureDisk(); }, [m] { m->openClean(); }, this);
    footer_ = new DashFooter([this] { callIfSet(context_.onActivityMonitor); }, [this] { callIfSet(context_.onSettings); },
                             [m] { m->toggleQuiet(); }, this);

    auto* leftCard = new Card(this);
    auto* rightCard = new Card(this);
    rightCard->setObjectName(QStringLiteral("PerfColumn"));
    left_ = cardLayout(leftCard);
    right_ = cardLayout(rightCard);
    right_->insertWidget(0, disk_);

    auto* pair = new QHBoxLayout;
    pair->setSpacing(DashStyle::sectionSpacing);
    pair->addWidget(leftCard, 1);
    pair->addWidget(rightCard, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(DashStyle::sectionSpacing);
    layout->addLayout(pair);
    layout->addWidget(footer_);
    refresh();
}

void HomeBody::arrange(bool withAI) {
    if (withAI_ == withAI) return;
    withAI_ = withAI;
    left_->removeWidget(ai_);
    left_->removeWidget(memory_);
    right_->removeWidget(memory_);
    ai_->setVisible(withAI);
    if (withAI) {
        left_->insertWidget(0, ai_);
        right_->insertWidget(0, memory_);
    } else {
        left_->insertWidget(0, memory_);
    }
}

void HomeBody::refresh() {
    const AppModel& m = *model_;
    const std::vector<AIRow> rows = m.aiRows();
    arrange(!rows.empty());
    const std::optional<std::string>& hovered = context_.hoverDemo;
    const bool animate = !context_.animFrame;
    if (!rows.empty()) ai_->display(rows, m.aiExpanded(), hovered, animate);
    memory_->display(memoryColumn(m.snapshot(), m.verdict().level, m.lastResult()),
                     idleStat(m.idleCandidates(), m.snapshot().cachedBytes), hovered == idleStatID);
    disk_->display(diskSection(m.snapshot().diskFreeBytes, m.diskFocus(), m.diskScanning(),
                               cleanListItems(m.diskReport()), m.diskResult()));
    footer_->display(m.paused());
}

} // namespace corvane
