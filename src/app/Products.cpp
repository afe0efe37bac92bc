#include "app/Products.h"

#include <array>

namespace app {

namespace {

constexpr std::array kProducts{
    Product{0, "Zedidover", "دفتر بيمه مراو", "insurance office"},
    Product{1, "Ruvan", "دفتر بيمه مراو، ويرايش روان", "insurance office, second edition"},
    Product{2, "Pelix", "اتوماسيون اداري و اسکن مراو", "office automation and scanning"},
    Product{3, "Talvo", "طراحي جواهرات", "jewellery design (no upgrade sequence)"},
    Product{4, "Rivavaruz", "رستوران مراو", "restaurant"},
    Product{5, "Koltar", "خزانه داري مراو", "treasury"},
    Product{6, "Zemtrio", "فروشگاه لمسي مراو", "touch-screen point of sale"},
    Product{std::nullopt, "Benvo", "حسابداري عمومي مراو", "general accounting with inventory, payroll and production"},
    Product{std::nullopt, "Vedizi2", "خدمات اينترنت مراو", "internet-service provider"},
};

}  // namespace

std::span<const Product> products() { return kProducts; }

const Product* productAtIndex(int index) {
  for (const Product& p : kProducts)
    if (p.listIndex == index) return &p;
  return nullptr;
}

const Product* productWithCode(std::string_view code) {
  for (const Product& p : kProducts)
    if (p.code == code) return &p;
  return nullptr;
}

}  // namespace app
