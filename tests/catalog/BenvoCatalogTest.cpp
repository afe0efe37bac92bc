// The general-accounting (Benvo) catalog: run order, created-with pairs, column counts,
// the entries whose columns are fixed exactly, the catalog conventions, and its agreement
// with the column conversion passes that run at the end of the Benvo sequence.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/Catalogs.h"
#include "CatalogTestSupport.h"

namespace {

using schema::CatalogEntry;
using schema::ColumnEntry;
using catalogtest::bare;
using catalogtest::baseType;
using catalogtest::lower;
using catalogtest::trim;

const std::vector<CatalogEntry>& benvo() { return catalog::entriesOf("benvo.catalog"); }

const CatalogEntry* findTable(std::string_view table) {
  for (const auto& e : benvo())
    if (lower(e.table) == lower(table)) return &e;
  return nullptr;
}

const CatalogEntry& entry(std::string_view step) {
  static const CatalogEntry none;
  for (const auto& e : benvo())
    if (e.step == step) return e;
  ADD_FAILURE() << "no Benvo entry " << step;
  return none;
}

const ColumnEntry* column(const CatalogEntry& e, std::string_view name) {
  for (const auto& c : e.columns)
    if (bare(c.name) == bare(name)) return &c;
  return nullptr;
}

bool hasColumn(const CatalogEntry& e, std::string_view name) { return column(e, name) != nullptr; }

// ---------------------------------------------------------------------------------------
// The 176 steps in the order the Benvo run triggers them, with the created-with pair
// (empty for the keyless steps) and the number of distinct columns each step ensures.

struct StepRow {
  const char* step;
  const char* key;
  const char* keyType;
  size_t columns;
};

const StepRow kSteps[] = {
    {"A_ADaryafti", "Sh", "nvarchar(50)", 18},
    {"A_Agsat", "sh", "nvarchar(50)", 26},
    {"A_Agsat_Sharh", "ID", "Integer", 25},
    {"A_AmaliatSath", "kelid", "integer", 43},
    {"A_AmaliatSath_Kala", "id", "nvarchar(50)", 25},
    {"A_AnbarGardani", "ID", "Integer", 18},
    {"A_AnbarGardani_Kala", "[autoid]", "integer", 16},
    {"A_APardakhti", "sh", "nvarchar(50)", 22},
    {"A_Bazrasi", "ID", "Integer", 12},
    {"A_Bazrasi_Sharh", "ID", "Integer", 16},
    {"A_CAmani", "sho", "integer", 17},
    {"A_CAmaniP", "sho", "integer", 17},
    {"A_CDaryafti", "sh", "nvarchar(50)", 53},
    {"A_CPardakhti", "sh", "nvarchar(50)", 36},
    {"A_Daramad", "shd", "nvarchar(50)", 25},
    {"A_DaryaftBoresh", "sh", "nvarchar(50)", 26},
    {"A_DaryaftBoresh_Kala", "id", "integer", 17},
    {"A_DMontazh", "ID", "Integer", 26},
    {"A_DMontazh_Kala", "ID", "Integer", 13},
    {"A_EBAnabar_Kala", "ID", "Integer", 20},
    {"A_EBAnbar", "sh", "nvarchar(50)", 18},
    {"A_EHbH", "sh", "integer", 18},
    {"A_EHbS", "sh", "integer", 15},
    {"A_ErsalBoresh", "sh", "nvarchar(50)", 14},
    {"A_ErsalBoresh_Kala", "id", "integer", 14},
    {"A_ESbH", "ID", "Integer", 15},
    {"A_ESbS", "sh", "integer", 15},
    {"A_Ezafat", "ID", "Integer", 12},
    {"A_FishHogug", "sh", "nvarchar(50)", 145},
    {"A_Furush", "cf", "nvarchar(50)", 67},
    {"A_Furush_Kala", "ID", "Integer", 30},
    {"A_FVam", "sh", "nvarchar(50)", 22},
    {"A_GAnbar", "sh", "nvarchar(50)", 9},
    {"A_GAnbar_Kala", "ID", "Integer", 19},
    {"A_GMDaramad", "ID", "Integer", 14},
    {"A_GMHazineh", "ID", "Integer", 14},
    {"A_GMHBanki", "ID", "Integer", 16},
    {"A_GMSandug", "sh", "nvarchar(50)", 24},
    {"A_GMTHesab", "ID", "Integer", 24},
    {"A_HavaleKargah", "ID", "Integer", 13},
    {"A_HavaleKargah_Kala", "ID", "Integer", 7},
    {"A_Hazineh", "", "", 27},
    {"A_HugugSiba", "ID", "Integer", 29},
    {"A_HugugSiba_Sharh", "ID", "Integer", 9},
    {"A_KalaAPardakhti", "cf", "nvarchar(50)", 33},
    {"A_KalaAPardakhti_Kala", "ID", "Integer", 28},
    {"A_KalaADaryafti", "ckh", "nvarchar(50)", 34},
    {"A_KalaADaryafti_Kala", "ID", "Integer", 31},
    {"A_KFHBanki", "ID", "Integer", 10},
    {"A_KFSandug", "ID", "Integer", 12},
    {"A_Kharid", "", "", 44},
    {"A_Kharid_kala", "ID", "Integer", 26},
    {"A_Kusurat", "ID", "Integer", 8},
    {"A_Masraf", "ID", "Integer", 16},
    {"A_Masraf_Kala", "id", "integer", 21},
    {"A_MFurush", "ckh", "nvarchar(50)", 45},
    {"A_MFurush_Kala", "ID", "Integer", 24},
    {"A_MKharid", "cf", "nvarchar(50)", 42},
    {"A_MKharid_Kala", "ID", "Integer", 21},
    {"A_Montazh", "cm", "nvarchar(50)", 31},
    {"A_Montazh_Kala", "ID", "Integer", 16},
    {"A_NamehD", "shona", "nvarchar(200)", 23},
    {"A_NamehE", "shona", "nvarchar(50)", 22},
    {"A_OKalaADaryafti", "cf", "nvarchar(50)", 33},
    {"A_OKalaADaryafti_Kala", "ID", "Integer", 29},
    {"A_OKalaAPardakhti", "ckh", "nvarchar(50)", 34},
    {"A_OKalaAPardakhti_Kala", "ID", "Integer", 32},
    {"A_PishFaktor", "cf", "nvarchar(50)", 44},
    {"A_PishFaktor_Kala", "ID", "Integer", 23},
    {"A_PoroseTolid", "ID", "Integer", 55},
    {"A_Rascheck", "ID", "Integer", 5},
    {"A_RDaryaft", "sh", "nvarchar(50)", 21},
    {"A_ResidA5", "", "", 8},
    {"A_Roozaneh", "ID", "Integer", 14},
    {"A_RPardakht", "sho", "nvarchar(50)", 22},
    {"A_Sanad", "sho", "integer", 13},
    {"A_SanadDaem", "sho", "integer", 13},
    {"A_ShSanad", "ID", "Integer", 19},
    {"A_SudSahamdar", "", "", 18},
    {"A_Sum_Hozor", "id_cart", "nvarchar(50)", 4},
    {"A_Tamas", "ID", "Integer", 7},
    {"A_Tazin", "sh", "nvarchar(50)", 36},
    {"A_Tazin_kala", "ID", "Integer", 21},
    {"A_VKh", "ID", "Integer", 20},
    {"A_Zayeat", "cf", "nvarchar(50)", 48},
    {"A_Zayeat_Kala", "ID", "Integer", 26},
    {"A_Barnameh", "ID", "integer", 4},
    {"A_GAmval_Kala", "ID", "Integer", 16},
    {"A_KharidAmval", "CKh", "nvarchar(50)", 42},
    {"A_KharidAmval_Kala", "ID", "Integer", 20},
    {"A_EHBTH", "ID", "Integer", 17},
    {"A_SefareshKarton", "cf", "nvarchar(50)", 44},
    {"A_GMMaliat", "ID", "Integer", 14},
    {"A_GMAmval", "ID", "Integer", 16},
    {"A_FurushAmval", "CKh", "nvarchar(50)", 40},
    {"A_FurushAmval_Kala", "ID", "Integer", 20},
    {"G_Komaki", "ID", "Integer", 5},
    {"GO_SudZeyan", "", "", 4},
    {"GP_ChDP", "", "", 5},
    {"GP_DP", "", "", 12},
    {"GP_HD", "", "", 15},
    {"GP_KhF", "", "", 7},
    {"GP_LKhF", "", "", 7},
    {"GP_S", "", "", 5},
    {"GP_SZ", "", "", 9},
    {"GP_DasteCheck", "ID", "Integer", 9},
    {"O_Error", "", "", 2},
    {"O_Password", "ID", "Integer", 221},
    {"O_Path", "ID", "Integer", 2},
    {"O_State", "", "", 4},
    {"O_TelBook", "", "", 15},
    {"O_TelBookM", "", "", 14},
    {"O_ShomareTartibAmal", "ID", "Integer", 1},
    {"P_Amval", "ca", "nvarchar(50)", 28},
    {"P_ShAmval", "ID", "integer", 16},
    {"P_Anbar", "ca", "nvarchar(50)", 15},
    {"P_Bazryab", "cby", "nvarchar(50)", 9},
    {"P_Daramad", "cd", "nvarchar(50)", 16},
    {"P_FMontazh", "ID", "Integer", 6},
    {"P_GAmval", "cg", "nvarchar(50)", 4},
    {"P_GDaramad", "cg", "nvarchar(50)", 5},
    {"P_GHazineh", "cg", "nvarchar(50)", 5},
    {"P_GKala", "cg", "nvarchar(50)", 10},
    {"P_GMarkazHazineh", "cg", "nvarchar(50)", 5},
    {"P_GNameh", "cg", "nvarchar(50)", 4},
    {"P_GThesab", "cg", "nvarchar(50)", 6},
    {"P_GTHesab2", "cg2", "nvarchar(50)", 6},
    {"P_Hazineh", "ch", "nvarchar(50)", 16},
    {"P_Hbanki", "chb", "nvarchar(50)", 18},
    {"P_Hesab", "ch", "nvarchar(50)", 30},
    {"P_Kala", "ck", "nvarchar(50)", 48},
    {"P_Karmand", "cp", "nvarchar(50)", 130},
    {"P_Karmand_HGh", "cp", "nvarchar(50)", 169},
    {"P_KusuratHarKarmand", "ID", "Integer", 8},
    {"P_MAnbar", "ca", "nvarchar(50)", 18},
    {"P_MarkazHazineh", "cmh", "nvarchar(50)", 16},
    {"P_NVahed", "ID", "Integer", 4},
    {"P_OlguPoroseTolid", "ID", "Integer", 55},
    {"P_Ranande", "ID", "Integer", 7},
    {"P_Sahamdar", "cs", "nvarchar(50)", 9},
    {"P_Sandug", "cs", "nvarchar(50)", 13},
    {"P_SetCodeHesab", "ID", "Integer", 117},
    {"P_THesab", "cth", "nvarchar(50)", 60},
    {"P_Vahed", "nv", "nvarchar(50)", 1},
    {"P_TarifCheck", "ID", "Integer", 11},
    {"Tan_BAgsat", "ID", "Integer", 2},
    {"Tan_Bank", "ID", "Integer", 2},
    {"Tan_BDaryaft", "ID", "Integer", 2},
    {"Tan_BPardakht", "ID", "Integer", 2},
    {"Tan_Ezafat", "ID", "Integer", 6},
    {"Tan_GrohHesabdari", "ID", "Integer", 2},
    {"Tan_Kusurat", "ID", "Integer", 4},
    {"Tan_MahiyatHesabdari", "ID", "Integer", 2},
    {"Tan_NAmalyat", "ID", "Integer", 2},
    {"Tan_MoshakhasatMohem", "ID", "Integer", 2},
    {"Tan_GHK", "ID", "Integer", 2},
    {"Tan_List", "ID", "Integer", 2},
    {"PhoneCalls", "ID", "Integer", 4},
    {"SetCheck", "ID", "Integer", 15},
    {"TBarCod", "id", "Integer", 7},
    {"TInformaition_Faktor", "ID", "Integer", 208},
    {"TInformaition", "NSher", "nvarchar(50)", 224},
    {"P_Karmand_New", "CP", "nvarchar(50)", 102},
    {"P_Karmand_New_Olad", "CO", "nvarchar(50)", 6},
    {"TInformaition_2", "ID", "Integer", 87},
    {"P_Taghvim", "CTaghvim", "nvarchar(50)", 9},
    {"A_MosaedeKarmand", "ShM", "nvarchar(50)", 20},
    {"A_VamKarmand", "ShVK", "nvarchar(50)", 30},
    {"A_AgsatVamKarmand", "ShA_VK", "nvarchar(50)", 10},
    {"A_FishHugug_New", "ShF", "nvarchar(50)", 71},
    {"A_SharhBazPVam", "ID", "Integer", 8},
    {"P_ElamVurudKhurujPaye", "ID", "Integer", 11},
    {"A_HuzurVurudKhuruj", "ID", "Integer", 29},
    {"A_HuzurMahaneh", "ID", "Integer", 17},
    {"A_HuzurRuzaneh", "ID", "Integer", 21},
    {"A_RPardakhtBeChandTH", "ID", "Integer", 13},};

TEST(BenvoCatalog, StepsComeInRunOrderWithTheirKeysAndColumnCounts) {
  const auto& entries = benvo();
  ASSERT_EQ(entries.size(), std::size(kSteps));
  for (size_t i = 0; i < entries.size(); ++i) {
    const auto& e = entries[i];
    const auto& row = kSteps[i];
    SCOPED_TRACE(row.step);
    EXPECT_EQ(e.step, row.step) << "place " << i + 1;
    EXPECT_EQ(e.table, e.step) << "every Benvo step bears the name of its table";
    EXPECT_EQ(e.keyColumn, row.key);
    EXPECT_EQ(e.keyType, row.keyType);
    EXPECT_EQ(e.columns.size(), row.columns);
    EXPECT_FALSE(e.extraTick) << "Benvo steps make no extra tick";
    EXPECT_EQ(e.gaugeSetup, CatalogEntry::GaugeSetup::BeforeColumns);
    for (const auto& c : e.columns) {
      EXPECT_EQ(c.action, ColumnEntry::Action::Ensure) << c.name;
      EXPECT_FALSE(c.type.empty()) << c.name;
      EXPECT_EQ(c.type, trim(c.type)) << c.name;
    }
    std::set<std::string> seen;
    for (const auto& c : e.columns) EXPECT_TRUE(seen.insert(bare(c.name)).second) << "column twice: " << c.name;
  }
}

TEST(BenvoCatalog, StepsAreFoundByName) {
  for (const auto& row : kSteps) {
    const CatalogEntry* e = catalog::findEntry(row.step);
    ASSERT_NE(e, nullptr) << row.step;
    EXPECT_EQ(e->columns.size(), row.columns) << row.step;
  }
}

// ---------------------------------------------------------------------------------------
// Entry styles. All steps but 23 re-add their key first with a primary-key clause.

const std::set<std::string> kKeyless = {
    "O_TelBookM", "O_TelBook", "O_State", "A_SudSahamdar", "A_ResidA5", "A_Kharid", "A_Hazineh", "GO_SudZeyan",
    "GP_ChDP", "GP_DP", "GP_HD", "GP_KhF", "GP_LKhF", "GP_S", "GP_SZ", "O_Error"};
// The key comes first again, but without a clause.
const std::set<std::string> kReAddWithoutClause = {"A_FishHogug", "A_KharidAmval", "A_FurushAmval"};
// The table is created with one column and the list starts with another.
const std::map<std::string, std::string> kOtherFirstColumn = {
    {"A_RPardakht", "Sh"}, {"A_ESbH", "Sh"}, {"A_Masraf", "Sh"}, {"A_DMontazh", "CDM"}};

bool endsWithPrimaryKeyClause(std::string_view type, std::string_view keyType) {
  const std::string t = lower(type), k = lower(keyType);
  if (t.rfind(k, 0) != 0) return false;
  const std::string rest = t.substr(k.size());
  return !rest.empty() && rest.front() == ' ' && trim(rest) == "primary key";
}

TEST(BenvoCatalog, EntryStyles) {
  int exceptions = 0, keySpelledOtherwise = 0;
  for (const auto& e : benvo()) {
    SCOPED_TRACE(e.step);
    ASSERT_FALSE(e.columns.empty());
    const ColumnEntry& first = e.columns.front();
    const bool keyless = kKeyless.count(e.step) > 0;
    EXPECT_EQ(e.keyless(), keyless);
    if (keyless) {
      ++exceptions;
      EXPECT_EQ(lower(first.type).find("primary key"), std::string::npos);
    } else if (kReAddWithoutClause.count(e.step)) {
      ++exceptions;
      EXPECT_EQ(lower(first.name), lower(e.keyColumn));
      EXPECT_EQ(first.type, e.keyType);
    } else if (auto it = kOtherFirstColumn.find(e.step); it != kOtherFirstColumn.end()) {
      ++exceptions;
      EXPECT_EQ(first.name, it->second);
      EXPECT_NE(lower(first.name), lower(e.keyColumn));
      EXPECT_TRUE(lower(first.type).ends_with("  primary key")) << first.type;
    } else {
      EXPECT_EQ(lower(first.name), lower(e.keyColumn));
      EXPECT_TRUE(endsWithPrimaryKeyClause(first.type, e.keyType)) << first.type << " after " << e.keyType;
    }
    if (!keyless && first.name != e.keyColumn && lower(first.name) == lower(e.keyColumn)) ++keySpelledOtherwise;
    // Only the key re-add (or A_FishHogug's [Key]) carries a primary-key clause.
    int clauses = 0;
    for (const auto& c : e.columns) clauses += lower(c.type).find("primary key") != std::string::npos;
    EXPECT_EQ(clauses, (kReAddWithoutClause.count(e.step) && e.step != "A_FishHogug") || keyless ? 0 : 1);
  }
  EXPECT_EQ(exceptions, 23);
  EXPECT_EQ(keySpelledOtherwise, 71) << "keys created in one letter case and re-added in another";
  EXPECT_EQ(entry("A_FishHogug").columns[14].name, "[Key]");
  EXPECT_EQ(entry("A_FishHogug").columns[14].type, "nvarchar(150)  PRIMARY KEY");
}

// ---------------------------------------------------------------------------------------
// Entries whose columns are fixed exactly ("name|type" items separated by "; ").

struct FullEntry {
  const char* step;
  const char* columns;
};

const FullEntry kFull[] = {
    {"A_ESbH",
         "Sh|Integer  PRIMARY KEY; CS|nvarchar(50); NS|nvarchar(100); HB|nvarchar(100); M|money; "
         "Ta|nvarchar(50); TaS|Integer; TaM|Integer; TaR|Integer; B|nvarchar(200); "
         "ShF|nvarchar(50); ShGMHB|nvarchar(50); ShGMS|nvarchar(50); ShRoozaneh|Integer; "
         "ID_GM|Float"},
    {"A_Masraf",
         "Sh|nvarchar(50)  PRIMARY KEY; CA1|nvarchar(50); NA1|nvarchar(100); CA2|nvarchar(50); "
         "NA2|nvarchar(100); Ta|nvarchar(50); TaS|Integer; TaM|Integer; TaR|Integer; "
         "[To]|nvarchar(150); ID|Integer; P|nvarchar(150); TR|Integer; JK|money; "
         "[AutoID]|Integer; ID_GM|Float"},
    {"A_DMontazh",
         "CDM|nvarchar(50)  PRIMARY KEY; ID|Integer; CK|nvarchar(50); NK|nvarchar(100); T|Float; "
         "F|money; JK|money; JKA|money; Ta|nvarchar(50); TaS|Integer; TaM|Integer; TaR|Integer; "
         "[To]|nvarchar(200); CA|nvarchar(50); NA|nvarchar(100); ShGTH|Integer; "
         "ShRoozaneh|Integer; ShGA_Kala|Integer; JHS|money; JHM|money; [AutoID]|Integer; "
         "is_TM|bit; ShOlgu|Integer; ID_GM|Float; NameKarbar|nvarchar(200); "
         "CodeKarbar|nvarchar(200)"},
    {"A_RPardakht",
         "Sh|nvarchar(50)  PRIMARY KEY; ID|Integer; TD|nvarchar(50); TDS|Integer; TDM|Integer; "
         "TDR|Integer; B|nvarchar(150); CTH|nvarchar(50); NTH|nvarchar(100); Sha|nvarchar(150); "
         "JNP|money; JChS|money; JHB|money; JChA|money; JK|money; Readonly|bit; TTH|nvarchar(50); "
         "[AutoID]|Integer; NagshTH|nvarchar(50); ID_GM|Float; NameKarbar|nvarchar(200); "
         "CodeKarbar|nvarchar(200)"},
    {"A_Sanad",
         "Sho|Integer  PRIMARY KEY; ID|Integer; Ta|nvarchar(50); TaS|Integer; TaM|Integer; "
         "TaR|Integer; JBed|money; JBes|money; [To]|nvarchar(150); ShoSD|Integer; "
         "BabatSanad|nvarchar(50); ShBabatSanad|nvarchar(50); [AutoID]|Integer"},
    {"A_NamehD",
         "SHoNa|nvarchar(200)  PRIMARY KEY; TaD|nvarchar(50); CTH|nvarchar(50); NTH|nvarchar(50); "
         "TaE|nvarchar(50); TagabehBandi|nvarchar(50); GNa|nvarchar(50); NoehNa|nvarchar(50); "
         "MozoNa|nvarchar(50); ShaNa|Memo; AtfBND|nvarchar(50); AtfBNE|nvarchar(50); [To]|Memo; "
         "JavabBNa|bit; TAJavabBNa|nvarchar(50); NaJavabD|nvarchar(50); ToJavab|nvarchar(50); "
         "CGN|nvarchar(50); NGN|nvarchar(100); [AutoID]|Integer; intsho|Integer; "
         "javab|nvarchar(50); path|nvarchar(50)"},
    {"GP_DP",
         "[كد عنوان]|nvarchar(50); [عنوان]|nvarchar(50); [دريافت]|money; [پرداخت]|money; "
         "[تفاضل]|money; [دريافت نقد]|money; [دريافت چك اشخاص]|money; [دريافت سند بانكي]|money; "
         "[پرداخت نقد]|money; [پرداخت چك اشخاص]|money; [پرداخت چك شركت]|money; "
         "[پرداخت سند بانكي]|money"},
    {"GP_HD",
         "[كد عنوان]|nvarchar(50); [عنوان]|nvarchar(50); [فروردين]|money; [ارديبهشت]|money; "
         "[خرداد]|money; [تير]|money; [مرداد]|money; [شهريور]|money; [مهر]|money; [آبان]|money; "
         "[آذر]|money; [دي]|money; [بهمن]|money; [اسفند]|money; [جمع]|money"},
    {"PhoneCalls",
         "id|Integer  PRIMARY KEY; [datetime]|Date; [number]|nvarchar(20); name|nvarchar(20)"},
    {"O_Error",
         "ID|integer; Sharh|nvarchar(255)"},
    {"O_ShomareTartibAmal",
         "ID|Integer  PRIMARY KEY"},
    {"Tan_Ezafat",
         "ID|Integer  PRIMARY KEY; Name|nvarchar(150); V|nvarchar(50); F|money; "
         "isBimehText|nvarchar(50); isMaliatText|nvarchar(50)"},
    {"P_GKala",
         "CG|nvarchar(50)  PRIMARY KEY; intCG|Integer; NG|nvarchar(100); [To]|nvarchar(200); "
         "GFaal|nvarchar(50); CDG|nvarchar(50); NDG|nvarchar(100); intCDG|Integer; "
         "CGR|nvarchar(50); NGR|nvarchar(100)"},
    {"A_KFHBanki",
         "ID|Integer  PRIMARY KEY; HB|nvarchar(50); M|money; Ta|nvarchar(50); TaS|Integer; "
         "TaM|Integer; TaR|Integer; [To]|nvarchar(200); ShGMHB|Integer; ShRoozaneh|Integer"},
    {"A_ShSanad",
         "ID|Integer  PRIMARY KEY; Sho|Integer; CH|nvarchar(50); NH|nvarchar(150); "
         "Sharh|nvarchar(150); Bed|money; Bes|money; JBedM|money; JBesM|money; JMM|money; "
         "TM|nvarchar(50); EnableDelete|bit; IsChecked|nvarchar(50); ShoGM|Integer; "
         "CH1|nvarchar(50); CH2|nvarchar(50); CH3|nvarchar(50); CH4|nvarchar(50); "
         "NH_Kamel|nvarchar(250)"},};

TEST(BenvoCatalog, EntriesGivenInFull) {
  for (const auto& full : kFull) catalogtest::expectColumns(entry(full.step), catalogtest::parseColumns(full.columns));
}

TEST(BenvoCatalog, MonthlyPayrollHoursFollowTheMonthRule) {
  std::vector<std::pair<std::string, std::string>> expected{{"CP", "nvarchar(50)  PRIMARY KEY"}};
  for (std::string m : {"Fa", "Or", "Kh", "Ti", "Mo", "Sh", "Me", "Ab", "Az", "Da", "Ba", "Es"}) {
    for (const char* c : {"TV1", "TKh1", "TV1_M", "TKh1_M", "SumH1_Min", "TV2", "TKh2", "TV2_M", "TKh2_M",
                          "SumH2_Min", "SumH_Min"})
      expected.emplace_back(m + "_" + c, "Integer");
    expected.emplace_back(m + "_HugugP", "money");
    // Dey lists the two amounts the other way round.
    expected.emplace_back(m == "Da" ? m + "_MabE" : m + "_MabK", "money");
    expected.emplace_back(m == "Da" ? m + "_MabK" : m + "_MabE", "money");
  }
  catalogtest::expectColumns(entry("P_Karmand_HGh"), expected);
}

TEST(BenvoCatalog, AccessRightsEntryShape) {
  const auto& e = entry("O_Password");
  ASSERT_EQ(e.columns.size(), 221u);
  const std::vector<std::pair<std::string, std::string>> head{
      {"ID", "integer   PRIMARY KEY"}, {"Name", "nvarchar(255)"}, {"P_HB", "bit"}, {"P_H", "Bit"},
      {"[Password]", "nvarchar(200)"}};
  for (size_t i = 0; i < head.size(); ++i) {
    EXPECT_EQ(e.columns[i].name, head[i].first);
    EXPECT_EQ(e.columns[i].type, head[i].second);
  }
  EXPECT_EQ(e.columns[128].name, "MinID");
  EXPECT_EQ(e.columns[129].name, "MaxID");
  for (size_t i = 5; i < e.columns.size(); ++i) {
    const char* want = i == 128 || i == 129 ? "integer" : "Bit";
    EXPECT_EQ(e.columns[i].type, want) << e.columns[i].name;
  }
}

// ---------------------------------------------------------------------------------------
// Conventions shared by all entries.

TEST(BenvoCatalog, TypeVocabulary) {
  const std::regex known(
      R"(^(nvarchar\((5|10|15|20|30|40|50|70|100|150|200|250|255|450)\)|integer|int|money|bit|float|memo|date)( .*)?$)",
      std::regex::icase);
  for (const auto& e : benvo()) {
    for (const auto& c : e.columns) {
      EXPECT_TRUE(std::regex_match(c.type, known)) << e.step << " " << c.name << " " << c.type;
      if (lower(c.type) == "memo") {
        EXPECT_TRUE(e.step == "A_NamehD" || e.step == "A_NamehE") << e.step;
      }
      if (lower(c.type) == "date") {
        EXPECT_EQ(e.step, "PhoneCalls");
      }
    }
  }
}

TEST(BenvoCatalog, ColumnNamesNeedingBracketsHaveThem) {
  for (const auto& e : benvo()) catalogtest::expectNamesSafeInStatements(e);
  EXPECT_EQ(entry("TInformaition").columns[2].name, "[Add]");
}

bool hasDateGroupAt(const CatalogEntry& e, size_t i) {
  if (i + 3 >= e.columns.size()) return false;
  const std::string text = lower(e.columns[i].name);
  if (baseType(e.columns[i].type) != "nvarchar(50)") return false;
  for (size_t k = 1; k <= 3; ++k)
    if (lower(e.columns[i + k].name) != text + "smr"[k - 1] || baseType(e.columns[i + k].type) != "integer")
      return false;
  return true;
}

size_t dateGroups(const CatalogEntry& e) {
  size_t n = 0;
  for (size_t i = 0; i < e.columns.size(); ++i) n += hasDateGroupAt(e, i);
  return n;
}

bool adjacent(const CatalogEntry& e, std::string_view a, std::string_view b) {
  for (size_t i = 0; i + 1 < e.columns.size(); ++i)
    if (e.columns[i].name == a && e.columns[i + 1].name == b) return true;
  return false;
}

bool hasTwin(const CatalogEntry& e) {
  for (const auto& c : e.columns)
    if (c.name.starts_with("int") && c.name.size() > 3 && hasColumn(e, c.name.substr(3))) return true;
  return false;
}

TEST(BenvoCatalog, RecurringColumnGroups) {
  struct Group {
    const char* what;
    size_t tables;
    std::function<size_t(const CatalogEntry&)> count;
  };
  const auto typed = [](const char* name, const char* type) {
    return [=](const CatalogEntry& e) -> size_t {
      const ColumnEntry* c = column(e, name);
      return c && c->type == type;
    };
  };
  const Group groups[] = {
      {"[To] column", 77, [](const CatalogEntry& e) -> size_t { return column(e, "[To]") && column(e, "[To]")->name == "[To]"; }},
      {"[AutoID] Integer", 33, [](const CatalogEntry& e) -> size_t {
         const ColumnEntry* c = column(e, "[AutoID]");
         return c && c->name == "[AutoID]" && baseType(c->type) == "integer"; }},
      {"ID_GM Float", 44, typed("ID_GM", "Float")},
      {"user stamp", 23, [](const CatalogEntry& e) -> size_t {
         return adjacent(e, "NameKarbar", "CodeKarbar") && column(e, "NameKarbar")->type == "nvarchar(200)" &&
                column(e, "CodeKarbar")->type == "nvarchar(200)"; }},
      {"accounting link", 12, [](const CatalogEntry& e) -> size_t { return adjacent(e, "Code_Hesabdari", "ShSEf_Hesabdari"); }},
      {"code and integer twin", 18, hasTwin},
  };
  for (const auto& g : groups) {
    size_t n = 0;
    for (const auto& e : benvo()) n += g.count(e) ? 1 : 0;
    EXPECT_EQ(n, g.tables) << g.what;
  }
  size_t groupsOfDates = 0;
  for (const auto& e : benvo()) groupsOfDates += dateGroups(e);
  EXPECT_EQ(groupsOfDates, 80u) << "date groups (text, year, month, day)";
}

// ---------------------------------------------------------------------------------------
// The conversion passes, read from their data file.

struct PassEntry {
  std::string verb;  // alter, ensure or drop
  std::string table;
  std::string column;
  std::string type;
};

struct PassStep {
  std::string kind;  // pass or clean-up
  std::string name;
  int gaugeMaximum = -1;
  std::string table;
  std::vector<PassEntry> entries;
};

std::vector<std::string> fields(std::string_view rest) {
  std::vector<std::string> out;
  size_t pos = 0;
  for (;;) {
    const size_t bar = rest.find('|', pos);
    out.push_back(trim(rest.substr(pos, bar == std::string_view::npos ? std::string_view::npos : bar - pos)));
    if (bar == std::string_view::npos) return out;
    pos = bar + 1;
  }
}

const std::vector<PassStep>& passes() {
  static const std::vector<PassStep> steps = [] {
    std::vector<PassStep> out;
    std::ifstream in(MORAV_SOURCE_DIR "/src/conversions/data/conversions.passes");
    EXPECT_TRUE(in.good()) << "cannot read conversions.passes";
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
      ++lineNo;
      const std::string line = trim(raw);
      if (line.empty() || line.front() == '#') continue;
      const size_t blank = line.find(' ');
      const std::string word = line.substr(0, blank);
      const std::string rest = blank == std::string::npos ? "" : trim(line.substr(blank + 1));
      if (word == "pass" || word == "clean-up") {
        out.push_back({word, rest, -1, "", {}});
        continue;
      }
      if (out.empty()) {
        ADD_FAILURE() << "line " << lineNo << ": no step yet";
        continue;
      }
      PassStep& step = out.back();
      const auto f = fields(rest);
      if (word == "gauge-maximum") step.gaugeMaximum = std::stoi(rest);
      else if (word == "table") step.table = rest;
      else if ((word == "alter" || word == "ensure") && f.size() == 3) step.entries.push_back({word, f[0], f[1], f[2]});
      else if (word == "drop" && f.size() == 2) step.entries.push_back({word, step.table, f[0], f[1]});
      else ADD_FAILURE() << "line " << lineNo << ": cannot read '" << line << "'";
    }
    return out;
  }();
  return steps;
}

const PassStep& pass(std::string_view name) {
  static const PassStep none;
  for (const auto& p : passes())
    if (p.name == name) return p;
  ADD_FAILURE() << "no step " << name;
  return none;
}

size_t countVerb(const PassStep& p, std::string_view verb) {
  return std::count_if(p.entries.begin(), p.entries.end(), [&](const PassEntry& e) { return e.verb == verb; });
}

std::vector<std::string> workingHoursColumns() {
  std::vector<std::string> out;
  for (std::string m : {"Fa", "Or", "Kh", "Ti", "Mo", "Sh", "Me", "Ab", "Az", "De", "Ba", "Es"})
    for (const char* p : {"Sat_Shoro_", "Sat_Payan_", "Sat_Shoro_Min_", "Sat_Payan_Min_"}) out.push_back(p + m);
  return out;
}

TEST(ConversionPasses, StepsEntryCountsAndGaugeMaxima) {
  struct Expected {
    const char* kind;
    const char* name;
    int gaugeMaximum;
    size_t alters, ensures, drops;
  };
  const Expected expected[] = {
      {"pass", "BChangeFields_Autonum", 77, 79, 0, 0},
      {"pass", "BChangeFields_NullValue", 335, 336, 0, 0},
      {"pass", "BChangeFields_Other", 1, 65, 96, 0},
      {"clean-up", "Del_FieldsTInf_in_TInf_kala", -1, 0, 0, 97},
  };
  const auto& steps = passes();
  ASSERT_EQ(steps.size(), std::size(expected));
  for (size_t i = 0; i < steps.size(); ++i) {
    const auto& p = steps[i];
    const auto& x = expected[i];
    SCOPED_TRACE(x.name);
    EXPECT_EQ(p.kind, x.kind);
    EXPECT_EQ(p.name, x.name);
    EXPECT_EQ(p.gaugeMaximum, x.gaugeMaximum);
    EXPECT_EQ(countVerb(p, "alter"), x.alters);
    EXPECT_EQ(countVerb(p, "ensure"), x.ensures);
    EXPECT_EQ(countVerb(p, "drop"), x.drops);
    std::set<std::string> seen;
    for (const auto& e : p.entries) {
      EXPECT_FALSE(e.type.empty()) << e.table << " " << e.column;
      EXPECT_EQ(e.type.find("  "), std::string::npos) << "types are written with single blanks: " << e.type;
      EXPECT_TRUE(seen.insert(lower(e.table) + "." + bare(e.column)).second) << "twice: " << e.table << " " << e.column;
    }
  }
  EXPECT_EQ(pass("Del_FieldsTInf_in_TInf_kala").table, "TInformaition");
}

TEST(ConversionPasses, AutonumTypesFollowTheRuleAndItsExceptions) {
  const std::set<std::pair<std::string, std::string>> plainInteger = {
      {"A_FishHogug", "ID"}, {"A_AnbarGardani", "[ID]"}, {"p_hbanki", "id"}, {"o_telbook", "id"},
      {"tinformation_faktor", "id"}};
  for (const auto& e : pass("BChangeFields_Autonum").entries) {
    std::string want = e.column == "[AutoID]" ? "Integer" : "Integer not null";
    if (plainInteger.count({e.table, e.column})) want = "Integer";
    if (e.table == "A_AnbarGardani_Kala" && e.column == "[AutoID]") want = "Integer not null";
    EXPECT_EQ(e.type, want) << e.table << " " << e.column;
  }
}

TEST(ConversionPasses, FaktorSettingsTypesGoByPrefix) {
  std::map<std::string, size_t> byType;
  for (const auto& e : pass("BChangeFields_NullValue").entries) {
    if (e.table != "TInformaition_Faktor") continue;
    const std::string want = e.column.starts_with("NSKh") || e.column.starts_with("SShKhSh") ? "bit"
                             : e.column.starts_with("ASKh")                                  ? "Integer"
                                                                                             : "nvarchar(50)";
    EXPECT_EQ(e.type, want) << e.column;
    ++byType[e.type];
  }
  EXPECT_EQ(byType, (std::map<std::string, size_t>{{"bit", 36}, {"Integer", 16}, {"nvarchar(50)", 8}}));
}

TEST(ConversionPasses, WorkingHoursColumnsFollowTheMonthRule) {
  const auto columns = workingHoursColumns();
  std::vector<PassEntry> ensures;
  for (const auto& e : pass("BChangeFields_Other").entries)
    if (e.verb == "ensure") ensures.push_back(e);
  ASSERT_EQ(ensures.size(), 2 * columns.size());
  // The ensures come after all the alters.
  const auto& all = pass("BChangeFields_Other").entries;
  EXPECT_TRUE(std::all_of(all.end() - 96, all.end(), [](const PassEntry& e) { return e.verb == "ensure"; }));
  for (size_t i = 0; i < ensures.size(); ++i) {
    EXPECT_EQ(ensures[i].table, i < columns.size() ? "TInformaition_2" : "P_Karmand_New");
    EXPECT_EQ(ensures[i].column, columns[i % columns.size()]);
    EXPECT_EQ(ensures[i].type, "int");
  }
}

// ---------------------------------------------------------------------------------------
// The catalog and the passes agree.

TEST(BenvoCatalogAndPasses, EveryReDeclaredColumnIsInItsTablesEntry) {
  std::set<std::string> notBenvoTables;
  std::map<std::string, size_t> found;
  for (const char* name : {"BChangeFields_Autonum", "BChangeFields_NullValue", "BChangeFields_Other"}) {
    for (const auto& e : pass(name).entries) {
      if (e.verb != "alter") continue;
      const CatalogEntry* table = findTable(e.table);
      if (!table) {
        notBenvoTables.insert(e.table);
        continue;
      }
      const ColumnEntry* c = column(*table, e.column);
      if (!c) {
        ADD_FAILURE() << name << ": " << e.table << " has no column " << e.column;
        continue;
      }
      ++found[table->step];
      // A re-declaration keeps the column's type, except the text key that Autonum turns into a number.
      if (!(table->step == "A_AmaliatSath_Kala" && e.column == "[ID]")) {
        EXPECT_EQ(baseType(c->type), baseType(e.type)) << e.table << " " << e.column;
      }
    }
  }
  // Tables the passes name that the Benvo run never creates (tinformation_faktor is spelled
  // differently from TInformaition_Faktor).
  EXPECT_EQ(notBenvoTables, (std::set<std::string>{"A_Dookht", "P_EzafatHarKarmand", "tinformation_faktor"}));
  EXPECT_EQ(found["O_Password"], 125u);
  EXPECT_EQ(found["TInformaition"], 128u);
  EXPECT_EQ(found["TInformaition_Faktor"], 60u);
  size_t idgm = 0;
  for (const auto& e : pass("BChangeFields_Other").entries) idgm += e.column == "ID_GM";
  EXPECT_EQ(idgm, 38u);
}

TEST(BenvoCatalogAndPasses, DroppedSettingsLiveOnlyInTheFaktorTable) {
  const auto& settings = entry("TInformaition");
  const auto& faktor = entry("TInformaition_Faktor");
  for (const auto& e : pass("Del_FieldsTInf_in_TInf_kala").entries) {
    EXPECT_FALSE(hasColumn(settings, e.column)) << e.column;
    const ColumnEntry* c = column(faktor, e.column);
    ASSERT_NE(c, nullptr) << e.column;
    EXPECT_EQ(c->type, e.type) << e.column;
  }
}

TEST(BenvoCatalogAndPasses, WorkingHoursAreLeftToTheOtherPass) {
  for (const char* step : {"TInformaition_2", "P_Karmand_New"})
    for (const auto& c : workingHoursColumns()) EXPECT_FALSE(hasColumn(entry(step), c)) << step << " " << c;
}

}  // namespace
