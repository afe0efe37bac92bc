// The touch-screen, internet-service, restaurant, treasury and office-automation catalogs:
// run order, created-with pairs and column counts, the entries given in full or by rule, the
// template variants and the statements the restaurant steps send. Then what holds for every
// catalog: step names and order against the product sequences, names safe in statements and
// the type vocabulary.

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "CatalogTestSupport.h"
#include "app/Sequences.h"
#include "catalog/Catalogs.h"

namespace {

using schema::CatalogEntry;
using schema::ColumnEntry;
using schema::StepStatement;
using namespace catalogtest;

struct StepRow {
  const char* step;
  const char* table;
  const char* key;
  const char* keyType;
  size_t ensured;  // column entries the step ensures (a re-ensured key counted)
};

const StepRow kZemtrioSteps[] = {
    {"a_cdaryafti_x", "A_CDaryafti", "SH_SERIAL", "nvarchar(50)", 14},
    {"a_cpardakhti_x", "A_CPardakhti", "SH_SERIAL", "nvarchar(50)", 12},
    {"A_DARYAFT_X", "A_daryaft", "SH_R", "integer", 14},
    {"A_FURUSH_X", "A_FURUSH", "SH_F", "integer", 9},
    {"A_Furush_Kala_X", "A_FURUSH_kala", "SH_F", "integer", 11},
    {"A_GMTHesab_x", "A_GMTHesab", "ID", "integer", 13},
    {"A_KHARID_X", "A_KHARID", "SHF", "integer", 10},
    {"A_KHarid_Kala_X", "A_KHarid_Kala", "SHF", "integer", 12},
    {"A_Pardakht_X", "A_Pardakht", "SH_R", "integer", 13},
    {"P_INFO_X", "P_INFO", "ON1", "nvarchar(50)", 9},
    {"P_Kala_X", "P_Kala", "CKala", "integer", 5},
    {"P_Pass_X", "P_Pass", "CK", "nvarchar(50)", 6},
    {"P_TTHESAB_x", "P_TTHESAB", "CTH", "integer", 22},
    {"P_TSanduq_x", "P_TSanduq", "CASH_CD", "integer", 2},
    {"P_THESAB_BANKI_x", "P_THESAB_BANKI", "SHHesab", "NVARCHAR(50)", 4},
    {"A_GHAVALEH_X", "A_GHAVALEH", "ID", "integer", 6},
    {"A_GMSANDUQ_X", "A_GMSANDUQ", "ID", "integer", 6},
    {"A_Enteqal_x", "A_Enteqal", "ID", "integer", 10},
    {"A_Hazineh_X", "A_Hazineh", "ID", "integer", 11},
};

const StepRow kVedizi2Steps[] = {
    {"p_user", "p_user", "CK", "nvarchar(50)", 28},
    {"P_GTHesab_vex", "P_GTHesab", "CG", "integer", 3},
    {"A_DSADSL", "A_DSADSL", "ID_D", "float", 67},
    {"P_TH_Haq", "P_TH_Haq", "CTH_H", "nvarchar(50)", 27},
    {"P_TH_Huq", "P_TH_Huq", "CTH_H", "nvarchar(50)", 23},
    {"P_news", "P_News", "ID_News", "integer", 4},
    {"P_TService", "P_Service", "CSERVICE", "nvarchar(50)", 16},
    {"P_SGroup", "P_SGroup", "CGS", "integer", 6},
    {"P_STime", "P_STime", "CTS", "integer", 4},
    {"P_SSpeed", "P_SSpeed", "CSS", "integer", 2},
    {"P_SUsed", "P_SUsed", "CUS", "integer", 2},
    {"P_SSeri", "P_SSeri", "CSerS", "integer", 3},
    {"P_STraffic", "P_STraffic", "CTrS", "integer", 2},
    {"X_Customer", "X_Customer", "ID", "integer", 6},
    {"E_Error", "E_Error", "id", "integer", 12},
    {"A_DSWimax", "A_DSWimax", "ID_D", "float", 62},
    {"P_Error", "P_Error", "CEr", "integer", 3},
    {"P_Set", "P_Set", "ID", "integer", 25},
    {"P_TModem", "P_TModem", "ID", "integer", 4},
    {"P_Xtra_Volum", "P_Xtra_Volum", "ID", "integer", 2},
    {"P_TTarh", "P_TTarh", "CTarh", "nvarchar(50)", 23},
    {"J_Tarh_Ser", "J_Tarh_Ser", "ID", "integer", 5},
    {"Login", "Login", "ID", "Integer", 8},
    {"P_Mokhaberat", "P_Mokhaberat", "center_code", "integer", 14},
    {"Tpre_num", "TPre_Num", "Pre_Num", "integer", 9},
    {"A_GMTHesab_vex", "A_GMTHesab", "ID", "integer", 14},
    {"P_GKala_vex", "P_GKala", "CGK", "integer", 1},
    {"P_Kala_vex", "P_Kala", "CK", "integer", 11},
    {"P_TTHesab", "P_TTHesab", "CTH", "integer", 17},
    {"P_Hesab_vex", "P_Hesab", "ID", "Integer", 18},
    {"A_Action", "A_Action", "ID", "integer", 7},
    {"P_Extra", "P_Extra", "ID", "integer", 3},
    {"P_Sub_staff", "P_Sub_staff", "CHesab", "nvarchar(20)", 10},
    {"T_Kala", "T_Kala", "CQalam", "nvarchar(50)", 12},
    {"P_Jobs", "P_Jobs", "ID", "integer", 1},
    {"A_040", "A_040", "ID", "integer", 11},
    {"P_040_SHARZ", "P_040_SHARZ", "MAB", "money", 0},
    {"P_LService", "P_LService", "sh_karbari", "nvarchar(50)", 6},
    {"K_Barrasi", "K_Barrasi", "ID", "integer", 16},
    {"P_IPStatic", "P_IPStatic", "id", "integer", 2},
    {"A_Host", "A_Host", "id", "integer", 11},
    {"P_Host_Space", "P_Host_Space", "Space", "nvarchar(15)", 1},
    {"P_SWimax", "P_SWimax", "CSERVICE", "nvarchar(50)", 16},
    {"P_SWiFi", "P_SWiFi", "CSERVICE", "nvarchar(50)", 16},
    {"A_DSWiFi", "A_DSWiFi", "ID_D", "float", 49},
    {"Kartabl", "Kartabl", "ID", "integer", 37},
    {"P_Server", "P_Server", "ID", "integer", 2},
    {"P_Suffix", "P_Suffix", "ID", "integer", 1},
    {"A_Domain", "A_Domain", "ID", "integer", 19},
};

const StepRow kRivavaruzSteps[] = {
    {"A_Daryaft_R", "A_Daryaft", "shr", "Integer", 8},
    {"A_Furush_R", "A_Furush", "SHF", "Integer", 19},
    {"A_Furush_Kala_R", "A_Furush_Kala", "ID", "Integer", 16},
    {"A_GMTHesab_R", "A_GMTHesab", "ID", "Integer", 13},
    {"A_KHARID_R", "A_KHARID", "SHF", "Integer", 9},
    {"A_KHarid_Kala_R", "A_KHarid_Kala", "SHF", "Integer", 11},
    {"A_Pardakht_R", "A_Pardakht", "shr", "Integer", 7},
    {"P_GKala_R", "P_GKala", "CGKala", "Integer", 1},
    {"P_Kala_R", "P_Kala", "CKala", "Integer", 12},
    {"P_TTHESAB_R", "P_TTHESAB", "CTH", "integer", 22},
    {"Setting_R", "Setting", "shr", "Integer", 25},
    {"P_pass_R", "P_Pass", "CK", "nvarchar(50)", 12},
    {"BP_TPEYK", "P_TPEYK", "CTH", "integer", 17},
};

const StepRow kKoltarSteps[] = {
    {"A_GMTHesab_kol", "A_GMTHesab", "ShF", "integer  PRIMARY KEY", 15},
    {"P_THESAB_kol", "P_THESAB", "ID", "integer", 23},
    {"P_HMOAVAQ_kol", "P_HMOAVAQ", "CTH", "integer", 7},
    {"P_PASS_kol", "P_PASS", "CK", "nvarchar(50)", 6},
    {"P_INFORMATION_kol", "P_INFORMATION", "ID", "integer", 16},
    {"P_YIL", "P_YIL", "BASHLA", "nvarchar(50)", 2},
    {"A_KHARID_KALA_S", "A_KHarid_Kala", "SHF", "integer", 12},
    {"P_KALA_S", "P_Kala", "CKala", "integer", 5},
    {"BA_GMTHesab_Old", "A_GMTHESAB_OLD", "ShF", "integer  PRIMARY KEY", 15},
};

const StepRow kPelixSteps[] = {
    {"TCapability", "TCapability", "ID", "Integer", 25},
    {"TRansfer", "Transfer", "CT", "Integer", 67},
    {"Test", "Test", "ID", "Integer", 1},
    {"Yollar", "yollar", "CTY", "Integer", 23},
    {"TSetting", "Tsetting", "ID", "Integer", 23},
    {"TModify", "TModify", "CTM", "Integer", 14},
    {"TColumn_Size", "TColumn_Size", "ID", "Integer", 26},
    {"yapraqlar", "yapraqlar", "ID", "Integer", 1},
};

struct FullEntry {
  const char* step;
  const char* columns;
};

const FullEntry kFull[] = {
    {"a_cdaryafti_x",
     "sharh|nvarchar(100); TA_SARRESID|nvarchar(100); NBANK|nvarchar(100); MAB|money; "
     "VAZ|nvarchar(100); CTH|integer; NTH|nvarchar(100); CTH_M|integer; NTH_M|nvarchar(100); "
     "SH_RP|integer; SELECTED|bit; IS_AVAL_DOREH|bit; VUSUL_TYPE|nvarchar(20); SH_ID|integer"},
    {"a_cpardakhti_x",
     "sharh|nvarchar(100); SH_R|integer; TA_SARRESID|nvarchar(100); SH_HESAB|nvarchar(100); "
     "NSAHEB_HESAB|nvarchar(100); NBANK|nvarchar(100); MAB|money; VAZ|nvarchar(100); "
     "CTH_M|integer; NTH_M|nvarchar(100); IS_AVAL_DOREH|bit; SH_ID|integer"},
    {"A_FURUSH_X",
     "TA|nvarchar(10); ADR|nvarchar(100); SHARH|nvarchar(100); JHAZINEH|money; JPAYE|money; "
     "JTAKH|money; JKOL|money; CTH|integer; NTH|nvarchar(100)"},
    {"A_Furush_Kala_X",
     "CANBAR|integer; NAnbar|nvarchar(100); CKALA|integer; NKALA|nvarchar(100); NUM_K|float; "
     "NUM_J|float; NUM|float; NVahed|nvarchar(50); FI|money; JSATR|money; SHARH|nvarchar(100)"},
    {"A_GMTHesab_x",
     "TA|nvarchar(10); SH_Sanad|integer; CA|integer; NA|nvarchar(100); CTH|integer; "
     "NTH|nvarchar(100); BED|money; BES|money; REC|nvarchar(10); MAN|money; SHARH|nvarchar(150); "
     "CK|integer; NK|nvarchar(100)"},
    {"A_KHARID_X",
     "TA|nvarchar(10); CTH|integer; NTH|nvarchar(100); ADR|nvarchar(100); SHARH|nvarchar(100); "
     "JPAYE|money; JHAZINEH|money; JTAKH|money; JKOL|money; SH_R|integer"},
    {"A_KHarid_Kala_X",
     "CAnbar|integer; NAnbar|nvarchar(10); CKala|integer; NKala|nvarchar(100); "
     "NVahed|nvarchar(100); NUM_K|float; NUM_J|float; NUM|float; FI|money; JHAZINEH|money; "
     "JSATR|money; SHARH|nvarchar(100)"},
    {"P_Kala_X",
     "NKala|nvarchar(50); mojudi|integer; Fi_Furush|money; nvahed|nvarchar(50); NOTE|nvarchar(100)"},
    {"P_TTHESAB_x",
     "NTH|nvarchar(150); ADDRESS|nvarchar(50); TEL1|nvarchar(50); TEL2|nvarchar(50); "
     "TEL3|nvarchar(50); CM|integer; NM|nvarchar(150); TEL1_M|nvarchar(50); TEL2_M|nvarchar(50); "
     "TEL3_M|nvarchar(50); BED|money; BES|money; MA|money; MN|money; TA|nvarchar(50); "
     "NOTE|nvarchar(250); SHFA|integer; CK|nvarchar(50); NK|nvarchar(50); is_Moavaq|bit; "
     "TA_AR|nvarchar(50); ay_counter|integer"},
    {"A_Hazineh_X",
     "TA|nvarchar(50); MAB|money; SHARH|nvarchar(150); cash_cd|integer; cash_dsc|nvarchar(50); "
     "JNaqd_par|money; sh_hesab|nvarchar(50); nbank|nvarchar(50); JHav_par|money; "
     "SH_ID_GS|integer; SH_ID_GH|integer"},
    {"P_GTHesab_vex",
     "NG|nvarchar(50); TOZih|nvarchar(150); CG_H|nvarchar(10)"},
    {"P_TService",
     "NService|nvarchar(100); CG|nvarchar(50); NG|nvarchar(150); Level|integer; TIME|nvarchar(50); "
     "SPEED|nvarchar(50); SERI|nvarchar(50); USED_TYPE|nvarchar(50); HIGH_SPEED|nvarchar(50); "
     "TRAFFIC|nvarchar(50); AY_COST|money; floor_COST|money; ALL_COST|money; "
     "PROPERTY|nvarchar(250); CT_new|integer; CT_charg|integer"},
    {"Login",
     "ID|Integer; Ta|nvarchar(50); Saat|nvarchar(50); CKarbar|nvarchar(100); "
     "Name_Form|nvarchar(100); Name_Amal|nvarchar(100); Sharh_Amal|nvarchar(250); Noe_Amal|Integer"},
    {"A_GMTHesab_vex",
     "SH_SANAD|float; TA|nvarchar(10); SA|nvarchar(15); CA|integer; NA|nvarchar(150); BED|money; "
     "BES|money; SHARH|nvarchar(100); CTH_H|nvarchar(50); NTH|nvarchar(50); CTH_R|nvarchar(50); "
     "NTH_R|nvarchar(50); CTH_I|nvarchar(50); NTH_I|nvarchar(50)"},
    {"P_GKala_vex",
     "NGK|nvarchar(100)"},
    {"P_Kala_vex",
     "is_xadamat|bit; NK|nvarchar(100); CGK|nvarchar(30); NGK|nvarchar(100); Level|integer; "
     "Cost|money; Number|integer; SH_Moshtarak|nvarchar(20); SH_Pardakht|nvarchar(20); "
     "SH_Serial|nvarchar(20); Password|nvarchar(20)"},
    {"P_Hesab_vex",
     "CGH|nvarchar(10); NGH|nvarchar(100); KOL|nvarchar(10); N_KOL|nvarchar(100); "
     "MOIN|nvarchar(10); N_MOIN|nvarchar(100); TAF|nvarchar(10); N_TAF|nvarchar(100); "
     "TAF2|nvarchar(10); N_TAF2|nvarchar(100); MAHIYAT|nvarchar(100); BED|money; BES|money; "
     "MN|money; Recog|nvarchar(20); CHesab|nvarchar(100); NHesab|nvarchar(100); "
     "CHesab_str|nvarchar(100)"},
    {"A_DSWiFi",
     "TEL_ADSL|nvarchar(50); ADR_ADSL|nvarchar(150); TA|nvarchar(50); NS_KHAD|nvarchar(50); "
     "NOE_IP|nvarchar(50); CK|nvarchar(50); CTH_H|nvarchar(50); NTH|nvarchar(50); "
     "CTH_R|nvarchar(50); NTH_R|nvarchar(50); CTH_I|nvarchar(50); NTH_I|nvarchar(50); "
     "SH_Sanad|float; CShahri|nvarchar(10); Shenase_karbari|nvarchar(50); "
     "PASS_Karbari|nvarchar(50); CQalam|nvarchar(50); NSERVICE|nvarchar(50); "
     "MODAT_SERVICE|nvarchar(50); IP_TIME|nvarchar(50); id_kar|integer; EXTRA_GB|nvarchar(50); "
     "Active_Date|nvarchar(50); Finish_Date|nvarchar(50); CA|integer; NA|nvarchar(50); "
     "SA|nvarchar(50); JService|money; JIP|money; JTraffic|money; jAbunman|money; j4drasad|money; "
     "JMODEM|money; JNASB|money; JDrive|money; MOTAFAREGE|money; JKOL|money; vaz|nvarchar(50); "
     "CBarrasi|nvarchar(50); CFani|nvarchar(50); PORT|nvarchar(50); SLAT|nvarchar(50); "
     "pri_new|nvarchar(50); Sharz_type|nvarchar(50); Sharz_Date|nvarchar(15); "
     "SH_FISH|nvarchar(50); CTarh|integer; NTarh|nvarchar(50); Nasb_by_AD|bit"},
    {"A_Daryaft_R",
     "TA|nvarchar(10); CTH|Integer; NTH|nvarchar(50); JNAQD|money; JCHEK|money; JTAKH|money; "
     "JKOL|money; SHARH|nvarchar(100)"},
    {"A_Furush_R",
     "TA|nvarchar(10); CTH|Integer; NTH|nvarchar(50); ADR|nvarchar(50); SHARH|nvarchar(100); "
     "JPAYE|money; JHAZINEH|money; JTAKH|money; JKOL|money; TEL|nvarchar(10); SH_MIZ|Integer; "
     "SH_R|Integer; TASVIYE|nvarchar(50); SH_Sudur|Integer; CTH_PK|Integer; NTH_PK|nvarchar(50); "
     "ADR_PK|nvarchar(100); TEL_PK|nvarchar(50); IS_Modify|Integer"},
    {"A_Furush_Kala_R",
     "ID|Integer; SHF|Integer; CAnbar|Integer; NAnbar|nvarchar(50); CKALA|Integer; "
     "NKALA|nvarchar(50); CG|Integer; NG|nvarchar(50); NUM|float; nvahed|nvarchar(50); FI|money; "
     "JSATR|money; SHARH|nvarchar(100); p1|bit; p2|bit; p3|bit"},
    {"A_GMTHesab_R",
     "TA|nvarchar(10); SH_SANAD|Integer; CA|Integer; NA|nvarchar(50); CTH|Integer; "
     "NTH|nvarchar(50); BED|money; BES|money; REC|nvarchar(20); MAN|money; SHARH|nvarchar(100); "
     "CK|Integer; NK|nvarchar(50)"},
    {"A_KHARID_R",
     "TA|nvarchar(10); CTH|Integer; NTH|nvarchar(50); ADR|nvarchar(50); SHARH|nvarchar(100); "
     "JPAYE|money; JHAZINEH|money; JTAKH|money; JKOL|money"},
    {"A_KHarid_Kala_R",
     "CAnbar|Integer; NAnbar|nvarchar(50); CKALA|Integer; NKALA|nvarchar(50); CG|Integer; "
     "NG|nvarchar(50); NUM|float; nvahed|nvarchar(50); FI|money; JSATR|money; SHARH|nvarchar(100)"},
    {"A_Pardakht_R",
     "TA|nvarchar(10); CTH|Integer; NTH|nvarchar(50); JNAQD|money; JCHEK|money; JKOL|money; "
     "SHARH|nvarchar(100)"},
    {"P_GKala_R",
     "NGKala|nvarchar(50)"},
    {"P_Kala_R",
     "NKala|nvarchar(50); CG|Integer; NG|nvarchar(50); Mojudi|Integer; fi_furush|money; "
     "nvahed|nvarchar(50); Note|nvarchar(100); p1|bit; p2|bit; p3|bit; num_furush|float; "
     "sum_furush|money"},
    {"BP_TPEYK",
     "NTH|nvarchar(150); ADR|nvarchar(50); TEL1|nvarchar(50); TEL2|nvarchar(50); "
     "TEL3|nvarchar(50); BED|money; BES|money; MA|money; MN|money; TA|nvarchar(50); "
     "NOTE|nvarchar(250); SHFA|integer; CK|nvarchar(50); NK|nvarchar(50); is_Moavaq|bit; "
     "TA_AR|nvarchar(50); ay_counter|integer"},
    {"P_HMOAVAQ_kol",
     "NTH|nvarchar(150); TEL|nvarchar(50); NM|nvarchar(50); TEL_M|nvarchar(150); MN|money; "
     "SON_VERILMISH|nvarchar(50); MOAVAQ_AY|integer"},
    {"P_PASS_kol",
     "NK|nvarchar(150); PASSWORD|nvarchar(50); En_Qoz|bit; En_Edit|bit; En_Del|bit; En_Other|bit"},
    {"P_INFORMATION_kol",
     "PATH_BACKUP1|nvarchar(250); CO_NAME|nvarchar(150); Adr|nvarchar(150); Tel1|nvarchar(50); "
     "Tel2|nvarchar(50); Note|nvarchar(150); AUTO_BACKUP|bit; big_mab|money; medium_mab1|money; "
     "medium_mab2|money; low_mab|money; big_AY|integer; MEDIUM_AY|integer; low_AY|integer; "
     "Bashlat|nvarchar(50); Son|nvarchar(50)"},
    {"P_YIL",
     "BASHLA|nvarchar(50); SON|nvarchar(50)"},
    {"TCapability",
     "ID|Integer  PRIMARY KEY; path|nvarchar(150); pic_type|nvarchar(50); Pic_mode|nvarchar(50); "
     "Brightness|Float; contrast|Float; resolution|nvarchar(50); scan_mode|nvarchar(50); "
     "Rotation|Integer; show_UI|bit; layout_L|Float; layout_R|Float; layout_T|Float; "
     "layout_B|Float; show_text|bit; text|nvarchar(250); text_L|Integer; text_T|Integer; "
     "text_W|Integer; text_H|Integer; HAlign|nvarchar(50); VAlign|nvarchar(200); "
     "CO_Text|nvarchar(200); ONE_Page|bit; Multi_Page|bit"},
    {"Test",
     "ID|Integer  PRIMARY KEY"},
    {"TSetting",
     "ID|Integer  PRIMARY KEY; NK|nvarchar(150); CK|Integer; PASSword|nvarchar(150); "
     "need_tayid|bit; show_UI|bit; save_path|nvarchar(255); TTrCol_Sayisi|Integer; "
     "resolution_x|Integer; resolution_y|Integer; show_caption|bit; caption_LEFT|Integer; "
     "caption_TOP|Integer; caption_WIDTH|Integer; caption_HEIGHT|Integer; caption|nvarchar(255); "
     "image_L|Float; image_R|Float; image_T|Float; image_B|Float; no_password|bit; "
     "PAGE_Autonum|bit; field_count|Integer"},
    {"TModify",
     "CTM|Integer  PRIMARY KEY; Title_Modified|nvarchar(255); darsad_tayid|Float; "
     "code_rahgiri|nvarchar(255); radif_mosavab|nvarchar(255); chand_radif|nvarchar(255); "
     "ishlayan|Integer; Tel1|nvarchar(50); Tel2|nvarchar(50); Tel3|nvarchar(50); "
     "yardim_veran|nvarchar(50); vaz_parvande|nvarchar(50); vaz_p_code|Integer; yeni_yardim|Integer"},
    {"yapraqlar",
     "ID|Integer  PRIMARY KEY"},
    {"Setting_R",
     "ON1|nvarchar(50); ON2|nvarchar(50); PAYAM|nvarchar(50); Auto_back|integer; "
     "Auto_print|integer; Auto_New|integer; back_path|nvarchar(50); name_p1|nvarchar(50); "
     "num_p1|Integer; index_p1|Integer; name_p2|nvarchar(50); num_p2|Integer; index_p2|Integer; "
     "name_p3|nvarchar(50); num_p3|Integer; index_p3|Integer; preview|Integer; TO_P1|Integer; "
     "TO_P2|Integer; TO_P3|Integer; cth_day|Integer; nth_day|nvarchar(50); First_Sudur|Integer; "
     "left_distance|Integer; COM_PORT|nvarchar(50)"},
    {"P_pass_R",
     "NK|nvarchar(50); PASSWORD|nvarchar(100); en_qoz|bit; en_edit|bit; en_del|bit; en_other|bit; "
     "en_dar|bit; en_par|bit; en_furush|bit; en_kharid|bit; en_tp|bit; en_set|bit"},
};

const CatalogEntry& entry(std::string_view step) {
  static const CatalogEntry none;
  const CatalogEntry* e = catalog::findEntry(step);
  if (!e) ADD_FAILURE() << "no entry " << step;
  return e ? *e : none;
}

size_t ensured(const CatalogEntry& e) {
  size_t n = 0;
  for (const auto& c : e.columns) n += c.action == ColumnEntry::Action::Ensure;
  return n;
}

struct Product {
  const char* file;
  const StepRow* rows;
  size_t count;
  bool extraTick;
};

void PrintTo(const Product& p, std::ostream* os) { *os << p.file; }

class ProductCatalog : public ::testing::TestWithParam<Product> {};

TEST_P(ProductCatalog, StepsComeInRunOrderWithTheirKeysAndColumnCounts) {
  const Product& product = GetParam();
  const auto& entries = catalog::entriesOf(product.file);
  ASSERT_EQ(entries.size(), product.count);
  for (size_t i = 0; i < entries.size(); ++i) {
    const CatalogEntry& e = entries[i];
    const StepRow& row = product.rows[i];
    SCOPED_TRACE(row.step);
    EXPECT_EQ(e.step, row.step) << "place " << i + 1;
    EXPECT_EQ(e.table, row.table);
    EXPECT_EQ(e.keyColumn, row.key);
    EXPECT_EQ(e.keyType, row.keyType);
    EXPECT_EQ(ensured(e), row.ensured);
    EXPECT_FALSE(e.pending);
    // Only the restaurant's administrator step differs from its product's ending.
    EXPECT_EQ(e.extraTick, product.extraTick || e.step == "P_pass_R");
    EXPECT_EQ(e.gaugeSetup, e.step == "P_pass_R" ? CatalogEntry::GaugeSetup::None
                                                 : CatalogEntry::GaugeSetup::BeforeColumns);
    EXPECT_EQ(e.statements.empty(), e.step != "Setting_R" && e.step != "P_pass_R");
    for (const auto& c : e.columns) EXPECT_EQ(c.type, trim(c.type)) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Catalogs, ProductCatalog,
    ::testing::Values(Product{"zemtrio.catalog", kZemtrioSteps, std::size(kZemtrioSteps), true},
                      Product{"vedizi2.catalog", kVedizi2Steps, std::size(kVedizi2Steps), true},
                      Product{"rivavaruz.catalog", kRivavaruzSteps, std::size(kRivavaruzSteps), false},
                      Product{"koltar.catalog", kKoltarSteps, std::size(kKoltarSteps), true},
                      Product{"pelix.catalog", kPelixSteps, std::size(kPelixSteps), false}),
    [](const auto& info) { return std::string(info.param.file).substr(0, std::string(info.param.file).find('.')); });

TEST(ProductCatalogs, EntriesGivenInFull) {
  for (const FullEntry& full : kFull) expectColumns(entry(full.step), parseColumns(full.columns));
}

TEST(ProductCatalogs, EntriesGivenByRule) {
  // One service list for the three service tables; one touch-screen list reused elsewhere.
  for (const char* step : {"P_SWimax", "P_SWiFi"}) EXPECT_EQ(columnsOf(entry(step)), columnsOf(entry("P_TService")));
  EXPECT_EQ(columnsOf(entry("P_TTHESAB_R")), columnsOf(entry("P_TTHESAB_x")));
  EXPECT_EQ(columnsOf(entry("A_KHARID_KALA_S")), columnsOf(entry("A_KHarid_Kala_X")));
  EXPECT_EQ(columnsOf(entry("P_KALA_S")), columnsOf(entry("P_Kala_X")));
  Columns withParty = columnsOf(entry("P_TTHESAB_x"));
  withParty.insert(withParty.begin(), {"CTH", "integer"});
  EXPECT_EQ(columnsOf(entry("P_THESAB_kol")), withParty);

  // The subscription tables build on the Wi-Fi list.
  const Columns wifi = columnsOf(entry("A_DSWiFi"));
  Columns wimax{{"ID_D", "float"}};
  wimax.insert(wimax.end(), wifi.begin(), wifi.end());
  for (const char* c : {"Modem_type", "Modem_Serial", "MAC", "URI", "Password", "Latitude", "Longtitude", "BSID", "RSSI",
                        "CINR", "SH_MOSHTARAK", "SH_PARDAXT"})
    wimax.emplace_back(c, "nvarchar(50)");
  EXPECT_EQ(columnsOf(entry("A_DSWimax")), wimax);
  Columns adsl{{"ID_D", "float"}};
  for (auto [name, type] : wifi) {
    adsl.emplace_back(name, name == "CTarh" ? "nvarchar(50)" : type);
    if (name == "jAbunman") adsl.emplace_back("JRanjh", "money");
    if (name == "NTarh") adsl.insert(adsl.end(), {{"CKala", "nvarchar(50)"}, {"NKala", "nvarchar(50)"}});
  }
  adsl.insert(adsl.end(), {{"CGKala", "nvarchar(50)"}, {"NGKala", "nvarchar(50)"}, {"CGSER", "nvarchar(50)"},
                           {"NGSER", "nvarchar(50)"}, {"pie_day", "integer"}, {"pie_volum", "nvarchar(10)"},
                           {"pie_money", "money"}, {"tas_type1", "nvarchar(50)"}, {"tas_type2", "nvarchar(50)"},
                           {"sh_card", "nvarchar(50)"}, {"four_digit_card", "nvarchar(50)"}, {"sh_hesab", "nvarchar(50)"},
                           {"CSanduq", "integer"}, {"NSanduq", "nvarchar(50)"}});
  EXPECT_EQ(columnsOf(entry("A_DSADSL")), adsl);

  // Office automation: numbered series.
  Columns paths{{"CTY", "Integer  PRIMARY KEY"}};
  for (int y : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 21, 22, 23, 24, 25, 31, 32, 33, 34, 35, 40})
    paths.emplace_back("y" + std::to_string(y), "Bit");
  paths.emplace_back("path", "nvarchar(255)");
  EXPECT_EQ(columnsOf(entry("Yollar")), paths);
  Columns sizes{{"ID", "Integer  PRIMARY KEY"}, {"NDBGrid", "nvarchar(50)"}};
  for (int i = 0; i <= 23; ++i) sizes.emplace_back("col" + std::to_string(i), "Integer");
  EXPECT_EQ(columnsOf(entry("TColumn_Size")), sizes);
  const Columns transfer = columnsOf(entry("TRansfer"));
  ASSERT_EQ(transfer.size(), 67u);
  EXPECT_EQ(Columns(transfer.begin(), transfer.begin() + 2), (Columns{{"CT", "Integer  PRIMARY KEY"}, {"zar_T", "Integer"}}));
  for (size_t i = 2; i < transfer.size(); ++i) EXPECT_EQ(transfer[i].second, "nvarchar(255)") << transfer[i].first;

  EXPECT_TRUE(entry("P_040_SHARZ").columns.empty());
}

TEST(ProductCatalogs, TheTreasuryLedgersReDeclareTheUserCodeAfterTheirTwelfthColumn) {
  const Columns expected = parseColumns(
      "TA|nvarchar(50); SA|nvarchar(50); CTH|integer; NTH|nvarchar(150); SHARH|nvarchar(150); CSH|integer; "
      "MAB|money; MAN_N|money; CK|integer; HOURE|nvarchar(50); TOZIH|nvarchar(150); TO_SH|nvarchar(150); "
      "CK|nvarchar(50); CK|nvarchar(50); NK|nvarchar(50); ArchiveDate|varchar(10)");
  for (const char* step : {"A_GMTHesab_kol", "BA_GMTHesab_Old"}) {
    const CatalogEntry& e = entry(step);
    expectColumns(e, expected);
    for (size_t i = 0; i < e.columns.size(); ++i)
      EXPECT_EQ(e.columns[i].action, i == 12 ? ColumnEntry::Action::Alter : ColumnEntry::Action::Ensure) << step << " " << i;
  }
}

TEST(ProductCatalogs, RestaurantStatementsAreSentAsTheProductWritesThem) {
  const CatalogEntry& settings = entry("Setting_R");
  ASSERT_EQ(settings.statements.size(), 7u);
  const char* flags[] = {"Auto_back", "Auto_print", "Auto_New", "preview", "TO_P1", "TO_P2", "TO_P3"};
  for (size_t i = 0; i < 7; ++i) {
    const StepStatement& s = settings.statements[i];
    EXPECT_EQ(s.channel, StepStatement::Channel::Query);
    EXPECT_EQ(s.lines, (std::vector<std::string>{std::string("alter table Setting alter column ") + flags[i] + "  integer"}));
    EXPECT_EQ(s.place, settings.columns.size());
    EXPECT_TRUE(s.onlyWhenNoRows.empty());
  }

  const CatalogEntry& users = entry("P_pass_R");
  ASSERT_EQ(users.statements.size(), 1u);
  const StepStatement& seed = users.statements[0];
  EXPECT_EQ(seed.channel, StepStatement::Channel::Query);
  EXPECT_EQ(seed.place, users.columns.size());
  EXPECT_EQ(seed.lines,
            (std::vector<std::string>{
                " INSERT INTO P_PASS  (CK,NK,PASSWORD,en_qoz,en_edit,en_del,en_other,en_dar,en_par,en_furush,en_kharid,"
                "en_tp,en_set)",
                "  VALUES (1,'مديري سيستم','1',1,1,1,1,1,1,1,1,1,1)  "}));
  // Seeded once: the administrator's code is text in the table, so it is looked up as text.
  EXPECT_EQ(seed.onlyWhenNoRows, "select CK from P_PASS where CK = '1'");
}

// ---------------------------------------------------------------------------------------
// Every catalog.

bool isObjectStep(const std::string& step) {
  for (const char* prefix : {"V_", "SP_", "FN_", "Fn_", "I_Fn_", "TRG_"})
    if (step.starts_with(prefix)) return true;
  return step == "BtnF_DOSYA_ARASHTIR" || step == "M_Moaref";
}

TEST(AllCatalogs, EachProductsTableStepsAreItsCatalogInOrder) {
  const std::map<std::string, std::string> catalogOf = {
      {"Zemtrio", "zemtrio.catalog"}, {"Vedizi2", "vedizi2.catalog"}, {"Rivavaruz", "rivavaruz.catalog"},
      {"Koltar", "koltar.catalog"},   {"Zedidover", "zedidover.catalog"}, {"Pelix", "pelix.catalog"},
      {"Benvo", "benvo.catalog"}};
  for (const auto& [code, file] : catalogOf) {
    const app::ProductSequence* sequence = app::sequenceFor(code);
    ASSERT_NE(sequence, nullptr) << code;
    std::vector<std::string> tableSteps, catalogSteps;
    for (const std::string& step : sequence->stepNames())
      if (catalog::findEntry(step)) tableSteps.push_back(step);
      else EXPECT_TRUE(isObjectStep(step) || step.starts_with("BChangeFields_") || step.starts_with("Del_Fields"))
               << code << ": " << step << " is neither in a catalog nor an object step or pass";
    for (const CatalogEntry& e : catalog::entriesOf(file)) catalogSteps.push_back(e.step);
    EXPECT_EQ(tableSteps, catalogSteps) << code;
  }
  EXPECT_EQ(catalog::catalogFiles().size(), catalogOf.size());
}

TEST(AllCatalogs, NamesReachStatementsSafely) {
  for (std::string_view file : catalog::catalogFiles())
    for (const CatalogEntry& e : catalog::entriesOf(file)) expectNamesSafeInStatements(e);
}

TEST(AllCatalogs, TypeVocabulary) {
  const std::regex known(
      R"(^(nvarchar\((5|10|15|20|30|40|50|70|100|150|200|250|255|450)\)|varchar\((10|15|20|30|50)\)|nchar\(\d+\))"
      R"(|integer|int|money|bit|float|memo|date|image|numeric\(10,0\)|varbinary\(128\)|AS \(.*\))( .*)?$)",
      std::regex::icase);
  std::map<std::string, size_t> varcharByFile, imageByFile;
  for (std::string_view file : catalog::catalogFiles())
    for (const CatalogEntry& e : catalog::entriesOf(file)) {
      std::vector<std::string> types{e.keyType};
      for (const auto& c : e.columns) types.push_back(c.type);
      for (const std::string& type : types) {
        if (type.empty()) continue;
        EXPECT_TRUE(std::regex_match(type, known)) << e.step << ": " << type;
        varcharByFile[std::string(file)] += lower(type).starts_with("varchar(");
        imageByFile[std::string(file)] += lower(type) == "image";
      }
    }
  for (const auto& [file, n] : varcharByFile)
    EXPECT_EQ(n > 0, file == "zedidover.catalog" || file == "koltar.catalog") << file << ": varchar";
  EXPECT_EQ(imageByFile["vedizi2.catalog"], 3u);
  size_t images = 0;
  for (const auto& [file, n] : imageByFile) images += n;
  EXPECT_EQ(images, 3u) << "image columns are the internet-service product's only";
}

}  // namespace
