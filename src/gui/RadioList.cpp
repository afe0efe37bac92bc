#include "gui/RadioList.h"

namespace gui {

namespace {
constexpr int kHeadRow = 0;  // column heads; items start on the row after it
}

RadioList::RadioList(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), items_(items), columns_(columns), grid_(new QGridLayout(this)),
      group_(new QButtonGroup(this)) {
  grid_->setContentsMargins(6, 4, 6, 4);
  grid_->setHorizontalSpacing(4);
  grid_->setVerticalSpacing(2);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    group_->addButton(button, i);
    grid_->addWidget(button, kHeadRow + 1 + i / columns, i % columns);
    buttons_.push_back(button);
  }
  for (int c = 0; c < columns; ++c) grid_->setColumnStretch(c, 1);
}

std::optional<int> RadioList::selectedIndex() const {
  const int id = group_->checkedId();
  if (id < 0) return std::nullopt;
  return id;
}

void RadioList::setSelectedIndex(std::optional<int> index) {
  if (index && *index >= 0 && *index < count()) {
    button(*index)->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; clearing needs it relaxed for a moment.
  group_->setExclusive(false);
  for (QRadioButton* b : buttons_) b->setChecked(false);
  group_->setExclusive(true);
}

void RadioList::wrapItems(int width) {
  for (int i = 0; i < count(); ++i) button(i)->setText(wrapToWidth(items_[i], button(i)->fontMetrics(), width));
}

void RadioList::setColumnHeads(const std::vector<QWidget*>& heads) {
  for (int c = 0; c < static_cast<int>(heads.size()) && c < columns_; ++c)
    grid_->addWidget(heads[static_cast<size_t>(c)], kHeadRow, c, Qt::AlignHCenter);
}

QString wrapToWidth(const QString& text, const QFontMetrics& metrics, int width) {
  const QStringList words = text.split(' ', Qt::SkipEmptyParts);
  QStringList lines;
  QString line;
  for (const QString& word : words) {
    const QString longer = line.isEmpty() ? word : line + ' ' + word;
    if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
      lines << line;
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines.join('\n');
}

}  // namespace gui
