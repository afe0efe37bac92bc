#pragma once

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>

#include <optional>
#include <vector>

namespace gui {

// A captioned list of exclusive choices laid out in columns, in which nothing may be selected.
class RadioList : public QGroupBox {
  Q_OBJECT

 public:
  RadioList(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

  int count() const { return static_cast<int>(buttons_.size()); }
  QRadioButton* button(int index) const { return buttons_.at(static_cast<size_t>(index)); }
  // The item's text as given (without the line breaks that wrapping adds).
  QString itemText(int index) const { return items_.at(index); }

  std::optional<int> selectedIndex() const;
  void setSelectedIndex(std::optional<int> index);

  // Breaks item texts wider than `width` pixels into lines at blanks.
  void wrapItems(int width);
  // Puts one widget above each item of the first row (the product pictures).
  void setColumnHeads(const std::vector<QWidget*>& heads);

 private:
  QStringList items_;
  int columns_;
  QGridLayout* grid_;
  QButtonGroup* group_;
  std::vector<QRadioButton*> buttons_;
};

// The text broken into lines at blanks so that no line is wider than `width` where a blank
// allows it.
QString wrapToWidth(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace gui
