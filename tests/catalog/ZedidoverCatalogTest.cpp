// The insurance-office (Zedidover and Ruvan) catalog: all 72 entries in run order with their
// created-with pairs and columns, the template variants, and the statements of the 35 steps
// that send their own, each with its text, its channel and its place.

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "CatalogTestSupport.h"
#include "catalog/Catalogs.h"

namespace {

using schema::CatalogEntry;
using namespace catalogtest;

const std::vector<CatalogEntry>& insurance() { return catalog::entriesOf("zedidover.catalog"); }

struct Row {
  const char* step;
  const char* table;
  const char* key;
  const char* keyType;
  const char* columns;  // "name|type; ..."
};

const Row kEntries[] = {
    {"A_AQSAT_I", "A_AQSAT", "SH_A", "integer",
     "SH_B|nvarchar(50); CTH|integer; NTH|nvarchar(100); CG|integer; NG|nvarchar(100); "
     "TA|nvarchar(10); TA_FIRST|nvarchar(10); TA_LAST|nvarchar(10); QEST_NUM|integer; "
     "QEST_COUNTER|integer; JMAB_AQSAT|money; JMAN_AQSAT|money; AVE_MQEST|money; CK|integer; "
     "NK|nvarchar(50); JMBIMEH|money; JKDARYAFTI|money; JKPARDAKHTI|money; IS_ADOREH|bit; "
     "TOZIH|nvarchar(100); NOE_AQSAT|nvarchar(50); PER_YEAR|float; PER_karmozd|float; "
     "DISTANCE|nvarchar(50); COM_CD|integer; COM_DSC|nvarchar(70); IS_DOUBLE|integer"},
    {"A_ASNAD_I", "A_ASNAD", "ID", "integer",
     "TARTIB|integer; TA|nvarchar(10); SHO_SANAD|integer; KOL|nvarchar(50); "
     "CODE_HESABDARI|nvarchar(50); SHARH|nvarchar(150); BED|money; BES|money; MOIN|nvarchar(100); "
     "TAF|nvarchar(50)"},
    {"A_BHAZINEH_I", "A_BHAZINEH", "SHB", "integer",
     "TA|nvarchar(10); SA|nvarchar(10); CH|integer; NH|nvarchar(50); CGH|integer; NG|nvarchar(50); "
     "[TO]|nvarchar(100); MAB|money; SHRP|integer; JNAQD|money; JCHS|money; JCHASH|money; "
     "JHAV|money; JMABP|money; CK|integer; NK|nvarchar(100); SHO_SANAD|integer; CTH|integer; "
     "CGTH|integer; NTH|nvarchar(50); IS_BEDEHI|bit"},
    {"A_CDARYAFTI_I", "A_CDARYAFTI", "SHSERIAL", "varchar(50)",
     "SH_R|integer; SH_RM|integer; SH_RB|integer; SH_RMB|integer; SHHESAB|nvarchar(50); "
     "NSHESAB|nvarchar(50); NBANK|nvarchar(50); CDBank|int; NSHOBEH|nvarchar(50); "
     "CDSHOBEH|nvarchar(50); SeriNo|varchar(50); SayyadNo|varchar(50); MABLAGH|money; "
     "TASARRESID|nvarchar(10); CA|integer; NA|nvarchar(50); VAZ|nvarchar(50); IS_SANDUQ|bit; "
     "CTH|integer; NTH|nvarchar(50); CTH_M|integer; NTH_M|nvarchar(50); ADOREH|bit; "
     "TA_ADOREH|nvarchar(10); BABAT_ADOREH|nvarchar(100); SHO_SANAD|integer; CG|integer; "
     "SHH_VAGOZARI|nvarchar(100); NBank_VAGOZARI|nvarchar(100); TA_VAGOZARI|varchar(20)"},
    {"A_CPARDAKHTI_I", "A_CPARDAKHTI", "SHSERIAL", "nvarchar(50)",
     "SH_R|integer; SHHESAB|nvarchar(50); NSHESAB|nvarchar(50); NBANK|nvarchar(50); "
     "NSHOBEH|nvarchar(50); MABLAGH|money; TASARRESID|nvarchar(10); CA|integer; NA|nvarchar(50); "
     "VAZ|nvarchar(50); IS_ASH|bit; SH_RM|integer; SH_RM2|integer; CG|integer; CTH|integer; "
     "NTH|nvarchar(50); ADOREH|bit; TA_ADOREH|nvarchar(10); BABAT_ADOREH|nvarchar(100); "
     "SHO_SANAD|integer; RecieverName|nvarchar(200); RecieverNID|varchar(15)"},
    {"A_DARYAFT_I", "A_DARYAFT", "SH_R", "integer",
     "TA|nvarchar(10); SA|nvarchar(10); BABAT|nvarchar(100); CG|integer; CTH|integer; "
     "NTH|nvarchar(50); JNAQD|money; JCHEK|money; JHAVALEH|money; INDIRIM|money; ARTIRIM|money; "
     "JKOL|money; [TO]|nvarchar(50); [ADD]|nvarchar(50); CK|integer; NK|nvarchar(100); "
     "AKH_TA|nvarchar(10); SHO_SANAD|integer; Babat_SH_B|nvarchar(100); Babat_SH_ID_Elhaq|integer"},
    {"A_ENTEQAL", "A_ENTEQAL", "ID", "integer",
     "HP|nvarchar(10); HD|nvarchar(10); NHP|nvarchar(50); NHD|nvarchar(50); SH_RP|integer; "
     "SH_RD|integer; TA|nvarchar(50); SA|nvarchar(50); MABLAGH|money; BABAT|nvarchar(250); "
     "kind|nvarchar(5); CK|integer; NK|nvarchar(100); SHO_SANAD|integer; ID|integer"},
    {"A_FASQ", "A_FASQ", "SH_B", "nvarchar(50)",
     "SH_SANAD|integer; CTH|integer; NTH|nvarchar(50); CB|integer; NB|nvarchar(50); CGB|integer; "
     "CA|integer; NA|nvarchar(50); TA|nvarchar(50); SA|nvarchar(50); MAB_PAYE|money; "
     "PER_MALIYAT|float; PER_AVAREZ|float; MALIYAT|money; JMAB|money; C_BAZARYAB|integer; "
     "N_BAZARYAB|nvarchar(50); EMAL_BAZARYAB|bit; SHARH|nvarchar(50); CK|integer; NK|nvarchar(50); "
     "PER_BAZARYAB|float; MAB_BAZARYAB|money; PER_KARMOZD|float; MAB_KARMOZD|money; "
     "PER_KASR|float; SHO_SANAD|integer; ins_com_cd|integer; ins_com_dsc|nvarchar(50); "
     "SH_ID|integer; SH_A|integer; JMAqsat|money"},
    {"A_GHAVALEH", "A_GHAVALEH", "SH_R", "integer",
     "CA|integer; NA|nvarchar(50); TA|nvarchar(50); SH_HESAB|nvarchar(50); NBANK|nvarchar(50); "
     "SH_Fish|nvarchar(50); MAB_SANAD|money; ID|integer not null; SA|nvarchar(10); Sort_ID|integer"},
    {"P_Log", "P_Log", "ID", "integer",
     "CK|integer; NK|nvarchar(50); SHARH|nvarchar(100); TA|nvarchar(20); SA|nvarchar(20); "
     "CG|integer; CA|integer"},
    {"A_GMSANDUQ", "A_GMSANDUQ", "SH_R", "integer",
     "CA|integer  not null; NA|nvarchar(150); CTH|integer; NTH|nvarchar(50); CG|integer; "
     "TA|nvarchar(50); CS|integer; NS|nvarchar(50); BED|money; BES|money; SH_Fish|nvarchar(50); "
     "SA|nvarchar(10); Sort_ID|integer"},
    {"A_GMTHESAB_I", "A_GMTHESAB", "ID", "integer",
     "CG|integer; CA|integer; NA|nvarchar(250); SH_B|nvarchar(50); CTH|integer; NTH|nvarchar(150); "
     "TA|nvarchar(50); SA|nvarchar(20); CB|integer; NB|nvarchar(50); MAB_B|money; "
     "PER_BAZARYAB|float; per_daftar|float; BED|money; BES|money; RECOG|nvarchar(50); "
     "SH_R|integer; CK|integer; NK|nvarchar(50); AKH_TA_P|nvarchar(50); KARMOZ_DAY|integer; "
     "SH_SANAD|integer; SHARH|nvarchar(150); BED2|money; BES2|money; TRANSACTION_SORT|integer"},
    {"A_Sharh_Aqsat", "A_Sharh_Aqsat", "SH_A", "integer",
     "SH_R|integer; SH_RP|integer; SH_T|integer; SH_RPursant|integer; TA_QEST|nvarchar(10); "
     "MAB_QEST|money; Year|integer; VAZ|nvarchar(100); SELECTED|bit; SH_R2|integer; "
     "MAN_QEST|money; ID_BH_DOUBLE|integer; ID_BD_DOUBLE|integer; PAYMENT_ID|nvarchar(50); "
     "IS_Canceled|bit"},
    {"Company_i", "Company", "on1", "nvarchar(50)",
     "on2|nvarchar(50); nmodir|nvarchar(50); tel1|nvarchar(50); tel2|nvarchar(50); "
     "mob|nvarchar(50); email|nvarchar(50); web|nvarchar(50); [add]|nvarchar(100); auto_bak|bit; "
     "back_path|nvarchar(50); per_maliyat|float; per_avarez|float; per_kasr_karmozd|float; "
     "karmozd_day|integer; tiny_register|bit; mojudi_sanduq|money; TA_Sanad_Eftetah|nvarchar(10); "
     "per_sales|float; per_mazad|float; per_sarneshin|float; per_sales_haz|float; "
     "per_mazad_haz|float; per_sarneshin_haz|float; ins_com_cd|integer; ins_com_dsc|nvarchar(50); "
     "sms_user|nvarchar(50); sms_pass|nvarchar(50); sms_company|nvarchar(50); Title_Addto_NTH|bit; "
     "DOC_PATH|nvarchar(100); SHOW_LAST_DOC_ONSHOW|bit; Prevent_Dup_National_CD|bit; "
     "Prevent_Dup_Name|bit; RND_Maliyat|int; RND_Aqsat|int; SHOW_MN_AQSAT|bit; Dec_Ins_End_Dt|bit; "
     "CHEQUE_AlertDay|integer; Payment_AlertDay|integer; Insurance_AlertDay|integer; "
     "Arm_Path|nvarchar(250); CGB_OMR|integer; NGB_OMR|nvarchar(100); "
     "Assign_Bashlanish_to_Document|bit; Auto_Update_Alert_Panel|bit; National_CD_Addto_NTH|bit; "
     "CheckUpdate|bit; Print_Dsc|nvarchar(250); En_Acount_Code|bit; Len_Grp|integer; "
     "Len_Kol|integer; Len_Moin|integer; Len_Tafzil|integer; En_SendSmsByApp|bit; "
     "PrepareSendListTime|nvarchar(20); SendListToServerTime|nvarchar(20); "
     "SendActivateKey|nvarchar(20); LastPrepareSendListTime|nvarchar(20); "
     "LastSendListToServerTime|nvarchar(20); CallerAppNameForSend|nvarchar(50); "
     "ShMosalsal|integer; Per_Surcharge|float; Day_Surcharge|integer"},
    {"sudur", "Sudur", "SH_B", "nvarchar(50) PRIMARY KEY",
     "IS_SALES|bit; IS_LIFE|bit; IS_SUDUR|bit; MAZAD|money; SALES|money; SARNESHIN|money; "
     "per_sales|float; per_mazad|float; per_sarneshin|float; per_sales_haz|float; "
     "per_mazad_haz|float; per_sarneshin_haz|float; per_haz_sudur|float; INS_COM_CD|integer; "
     "INS_COM_DSC|nvarchar(100); ID_EHBTH_NORMAL|integer; ID_EHBTH_ONLINE|integer; "
     "TOZ1|nvarchar(100); LEN_OMR|integer; Revival_STS|integer; "
     "Revival_Insurance_ID|nvarchar(100); CGM|integer; CM|integer; NM|nvarchar(100); "
     "IS_Credit_Pay|bit; Has_Zero_Tax|bit; JKOnline|money"},
    {"P_TBIMEH", "P_TBIMEH", "CB", "nvarchar(50)",
     "per_karmozd|float; per_haz_sudur|float; Is_Zero_Tax|bit; LotteryAdv|Integer"},
    {"P_TTHESAB_I", "P_TTHESAB", "CTH", "integer",
     "CG|integer; ADR|nvarchar(150); TT|nvarchar(15); jensiat|nvarchar(15); "
     "Secondry_grp|nvarchar(50); Location|nvarchar(50); TH_Type|nvarchar(50); Email|nvarchar(50); "
     "National_CD|nvarchar(20); SH_SH|nvarchar(20); POST_CD|nvarchar(20); Title|nvarchar(50); "
     "WEB|nvarchar(50); CTH_COM|integer; NTH2|nvarchar(250)"},
    {"P_INFO", "P_INFO", "CK", "integer",
     "EN_TINS_COM|bit; EN_TSANDUQ|bit; EN_EDIT_AM|bit; EN_ADar|bit; EN_TDar|bit; EN_TKarmozd|bit; "
     "EN_TASK|bit; EN_AENTEQAL_ASH|bit; EN_Sudur_Import|bit; EN_TAccCode|bit"},
    {"P_KAR_OMR", "P_KAR_OMR", "ID", "integer",
     "sh_b|nvarchar(50); cth|integer; cg|integer; nth|nvarchar(50); year1|money; year2|money; "
     "year3|money; year4|money; year5|money; year6|money; year7|money; year8|money; year9|money; "
     "year10|money; year11|money; year12|money; year13|money; year14|money; year15|money; "
     "year16|money; year17|money; year18|money; year19|money; year20|money; year21|money; "
     "year22|money; year23|money; year24|money; year25|money; year26|money; year27|money; "
     "year28|money; year29|money; year30|money"},
    {"P_TSANDUQ", "P_TSanduq", "CASH_CD", "integer",
     "MOJUDI|MONEY; CASH_DSC|NVARCHAR(50); Acc_ID|int"},
    {"P_THazineh_i", "P_THazineh", "CH", "integer",
     "NH|nvarchar(50); CG|integer; NG|nvarchar(50); [TO]|nvarchar(100)"},
    {"P_TDaramad_i", "P_TDaramad", "CD", "integer",
     "ND|nvarchar(50); SHARH|nvarchar(100); CG|int; NG|nvarchar(50)"},
    {"A_BDaramad_i", "A_BDaramad", "SHB", "integer",
     "TA|nvarchar(10); SA|nvarchar(10); CD|integer; ND|nvarchar(50); SHARH|nvarchar(100); "
     "MAB|money; SHRD|integer; JNAQD|money; JCH|money; JHAV|money; JMABD|money; CK|integer; "
     "NK|nvarchar(100); SHO_SANAD|integer; CTH|integer; CGTH|integer; NTH|nvarchar(50); "
     "IS_BESTANKARI|bit"},
    {"P_TKarmozd", "P_TKarmozd", "INS_CD", "integer",
     "INS_CD|integer; INS_DSC|nvarchar(100); BZR_CD|integer; BZR_DSC|nvarchar(100); "
     "COM_CD|integer; COM_DSC|nvarchar(100); PURSANT|float"},
    {"P_Task", "P_TASK", "ID", "integer",
     "SHARH|nvarchar(100); BASHLANISH|nvarchar(20); QURTULUSH|nvarchar(20); STS|nvarchar(20); "
     "CK|integer; NK|nvarchar(100)"},
    {"P_THESAB_BANKI_i", "P_THESAB_BANKI", "ID", "integer",
     "SHHesab|NVARCHAR(50); NBANK|NVARCHAR(50); NSHOBEH|NVARCHAR(50); NSahebHesab|NVARCHAR(50); "
     "Mojudi_Avaliye|MONEY"},
    {"Temp_THesab", "Temp_THesab", "Name", "nvarchar(100)",
     "MAN|money; MOB|nvarchar(20); TEL|nvarchar(20); ADR|nvarchar(100); TT|nvarchar(20)"},
    {"P_OTHERS_SMS", "P_OTHERS_SMS", "NTH", "nvarchar(50)",
     "MOB|nvarchar(20); Group_Name|nvarchar(50); TT|nvarchar(20)"},
    {"P_SMS_TEXT", "P_SMS_TEXT", "TEXT", "nvarchar(255)",
     "TEXT_TYPE|nvarchar(100)"},
    {"A_EHBTH_I", "A_EHBTH", "ID", "integer",
     "TA|nvarchar(50); MAB|money; SHARH|nvarchar(150); SHARH2|nvarchar(150); CG_BED|integer; "
     "CTH_BED|integer; NTH_BED|nvarchar(50); CG_BES|integer; CTH_BES|integer; "
     "NTH_BES|nvarchar(50); SH_ID_BED|integer; SH_ID_BES|integer; CK|integer; NK|nvarchar(50)"},
    {"P_Document", "P_Document", "Image_ID", "integer",
     "GRP1|nvarchar(50); GRP1_DSC|nvarchar(50); GRP2|nvarchar(50); GRP2_DSC|nvarchar(50); "
     "INS_DT|nvarchar(50); INS_USER|nvarchar(50); Image_Path|nvarchar(200); Image_DSC|nvarchar(200)"},
    {"P_Cash_Users", "P_Cash_Users", "CK", "integer",
     "CASH_CD|integer; CASH_DSC|nvarchar(150); NK|nvarchar(50)"},
    {"A_PARDAKHT_I", "A_PARDAKHT", "SH_R", "integer",
     "Babat_SH_B|nvarchar(100); Babat_SH_ID_Elhaq|integer"},
    {"P_Sanad_Type", "P_Sanad_Type", "Sanad_CD", "integer",
     "Sanad_DSC|nvarchar(150)"},
    {"T_Offers", "T_Offers", "Offer_ID", "integer",
     "CB|integer; NB|nvarchar(50); CTH|integer; NTH|nvarchar(100); SH_SH|nvarchar(50); "
     "NATIONAL_CD|nvarchar(50); TEL|nvarchar(50); MOB|nvarchar(50); ADR|nvarchar(150); "
     "TT|nvarchar(50); POST_CD|nvarchar(50); SYSTEM_TYPE_ID|integer; SYSTEM_TYPE_DSC|nvarchar(50); "
     "CAR_TYPE_ID|integer; CAR_TYPE_DSC|nvarchar(50); SARNESHIN_NUM|integer; "
     "PELAK_TYPE_ID|integer; PELAK_TYPE_DSC|nvarchar(50); PELAK_TYPE_DSC2|nvarchar(50); "
     "CAPACITY|nvarchar(50); SH_PELAK|nvarchar(50); CAR_COLOR|nvarchar(50); SILANDR_NUM|integer; "
     "SH_MOTOR|nvarchar(50); SH_SHASI|nvarchar(50); PRODUCT_YEAR|nvarchar(10); "
     "SAVARI_USAGE_ID|integer; SAVARI_USAGE_DSC|nvarchar(100); BARKESH_USAGE_ID|integer; "
     "BARKESH_USAGE_DSC|nvarchar(100); AUTOCAR_USAGE_ID|integer; AUTOCAR_USAGE_DSC|nvarchar(100); "
     "SILANDR_NUM_ID|integer; SILANDR_NUM_DSC|integer; BODY_HURTE_COST|money; "
     "FINANCIAL_COST|money; DRIVER_BODY_HURTE_COST|money; MEDICAL_COST|money; "
     "HAS_SALES|nvarchar(50); SH_BIMENAMEH_PRE|nvarchar(50); TA_BIMENAMEH_PRE|nvarchar(50); "
     "INS_COM_ID_PRE|integer; INS_COM_DSC_PRE|nvarchar(50); HAS_HURTE|nvarchar(50); "
     "HURTE_NUM|integer"},
    {"T_General", "T_General", "ID", "integer",
     "CG|integer; NG|nvarchar(50); ITEM_ID|integer; ITEM_DSC|nvarchar(100); FATHER_ID|integer"},
    {"T_sms_Sendbox", "T_SMS_Sendbox", "ID", "integer",
     "FROM_NUM|nvarchar(20); TO_NUM|nvarchar(20); SMS_TEXT|nvarchar(250); SEND_DT|nvarchar(20); "
     "USER_VORKA|nvarchar(100); RESPONSE_ID|nvarchar(50); STS|nvarchar(200)"},
    {"T_sms_Inbox", "T_SMS_Inbox", "ID", "integer",
     "FROM_NUM|nvarchar(20); TO_NUM|nvarchar(20); SMS_TEXT|nvarchar(450); Receive_DT|nvarchar(20); "
     "Receive_SA|nvarchar(20); USER_VORKA|nvarchar(100); Msg_ID|integer"},
    {"T_Sms_Vote", "T_SMS_Vote", "VOTE_ID", "integer primary key",
     "VOTE_TITLE|nvarchar(250); BEGIN_DT|nvarchar(20); END_DT|nvarchar(20); IS_COMPETITION|bit"},
    {"T_Sms_Vote_Dt", "T_SMS_Vote_Dt", "ID", "integer primary key",
     "VOTE_ID|integer; SMS_OPTION|nvarchar(250); SMS_OPTION_SYNONYM|nvarchar(250); "
     "Auto_Response_Msg_Text|nvarchar(250); Auto_Response_Line_Num|nvarchar(20); IS_Correct|bit"},
    {"T_SMS_BlackList", "T_SMS_BlackList", "MOB", "nvarchar(50)",
     "NTH|nvarchar(100)"},
    {"T_Auto_Response", "T_Auto_Response", "ID", "integer primary key",
     "Receive_Text|nvarchar(250); Response_Text|nvarchar(250); BEGIN_DT|nvarchar(20); "
     "END_DT|nvarchar(20); sts|nvarchar(50)"},
    {"T_Auto_Response_Dt", "T_Auto_Response_Dt", "ID", "integer primary key",
     "Secretary_id|integer; Receive_Msg_id|integer; Send_Msg_id|integer"},
    {"T_Systempwd", "T_Systempwd", "id", "integer",
     "Objectpwd|varbinary(128)"},
    {"P_TBimeh_Wage_DT", "P_TBimeh_Wage_DT", "CB", "integer not null",
     "Wage_Year|nvarchar(50); Wage_Percent|float; Issuer_Percent|float; Ins_com_cd|integer"},
    {"T_Advantage_Formulas", "T_Advantage_Formulas", "Formula_ID", "integer  UNIQUE",
     "CG|integer; CTH|integer; NTH|nvarchar(150); CB|integer; NB|nvarchar(150); Amount|float; "
     "Amount_Type|nvarchar(50); Calc_Base|nvarchar(150)"},
    {"T_Advantages", "T_Advantages", "Adv_ID", "integer  primary key",
     "SH_B|nvarchar(50) NOT NULL; Formula_ID|integer; Amount|float; Amount_Type|nvarchar(50); "
     "Calc_Base|nvarchar(150); IS_Moaref|bit; ID_GMTH|int"},
    {"T_Insured", "T_Insured", "SH_B", "NVARCHAR(50) NOT NULL",
     "First_Name|nvarchar(50); Last_Name|nvarchar(50); RATIO|nvarchar(50) NOT NULL; "
     "National_CD|nvarchar(15); Birth_Date|nvarchar(10); National_CD_Head|nvarchar(15)"},
    {"T_Credit_Cash", "T_Credit_Cash", "Cash_CD", "integer NOT NULL PRIMARY KEY",
     "Cash_DSC|nvarchar(50); INS_COM_CD|integer; Credit_Roof|money; Credit_Length|integer; "
     "Start_Date|nvarchar(10)"},
    {"T_Credit_Cash_History", "T_Credit_Cash_History", "SH_B", "nvarchar(100) NOT NULL PRIMARY KEY",
     "Cash_CD|integer NOT NULL; Credit_Roof|money; Credit_Length|integer; Close_ID|integer"},
    {"P_TGHAZINEH", "P_TGHAZINEH", "CGH", "integer primary key",
     "NGH|nvarchar(100) not null; SHARH|nvarchar(100)"},
    {"P_TField", "P_TField", "Field_ID", "integer primary key",
     "CB|integer; Field_Title|nvarchar(150); Field_Type|nvarchar(50); Field_Sts|nvarchar(50); "
     "CK|integer; NK|nvarchar(50); Ta|nvarchar(10); Sa|nvarchar(10)"},
    {"P_FYC", "P_FYC", "Fyc_ID", "integer primary key",
     "Fyc_Title|nvarchar(150); Fyc_Value|nvarchar(50); Fyc_Sts|bit; Fyc_Date|nvarchar(10)"},
    {"T_Import_Pattern", "T_Import_Pattern", "PatternID", "integer primary key",
     "PatternDsc|nvarchar(150); PatternSts|bit; F_SHB|nvarchar(250); F_NTH|nvarchar(150); "
     "F_NID|nvarchar(150); F_BeginDt|nvarchar(50); F_EndDt|nvarchar(50); F_InsurDt|nvarchar(50); "
     "F_Amount|nvarchar(50); F_Sudur_Dsc|nvarchar(250)"},
    {"T_AccCode", "T_AccCode", "ID", "integer primary key",
     "AccCode|nchar(5) not null; AccCodeDsc|nvarchar(150) not null; AccCodeLevel|int not null; "
     "AccCodeSts|bit; AccCode_MA|Money; AccCode_MN|Money; AccCode_REC|nvarchar(10); "
     "AccCodeInt|AS (CONVERT(int,AccCode,0)); FatherID|int not null"},
    {"T_AccCode_Forms", "T_AccCode_Forms", "FormName", "nchar(50) primary key",
     "FormDsc|nvarchar(150) not null; FormLevel|int not null; FormSts|bit default(1); "
     "Form_FatherAccID|int not null"},
    {"T_AccCode_FormCode", "T_AccCode_FormCode", "FormName", "nchar(20) not null",
     "AccID|int not null; FormCode|int not null"},
    {"T_AccAsnad", "T_AccAsnad", "ID", "integer primary key",
     "SanadID|int not null; SanadDsc|nvarchar(250) not null; SanadDate|nvarchar(10) not null; "
     "SanadTime|nvarchar(15)  null; AccID|int not null; Bed|Money; Bes|Money; "
     "SanadType|int not null; SanadID_Form|nvarchar(20) not null; "
     "SanadStatus|nchar(2) not null default('MV')"},
    {"P_TGDaramad", "P_TGDaramad", "CGD", "integer primary key",
     "NGD|nvarchar(100); SHARH|nvarchar(150)"},
    {"T_Outbox", "T_Outbox", "MsgID", "integer primary key",
     "MsgText|nvarchar(250); MsgMobNum|varchar(15); MsgType|nvarchar(50); MsgSts|bit; SendSts|bit; "
     "ParentKey|varchar(20); InsDate|integer; SendDate|integer; InsTime|varchar(15); "
     "SendTime|varchar(15)"},
    {"T_Outbox_Log", "T_Outbox_Log", "LogID", "integer primary key",
     "LogText|nvarchar(250); LogTime|varchar(20); LogType|varchar(50)"},
    {"T_AccAsnad_Log", "T_AccAsnad_Log", "ID", "integer primary key",
     "SanadType|integer; SanadID_Form|varchar(20); LogText|nvarchar(250); LogDate|varchar(20)"},
    {"P_Bank", "P_Bank", "ID", "INT",
     "NBank|nvarchar(100); CDBank|int"},
    {"T_ReservedID", "T_ReservedID", "RserveDate", "varchar(20)",
     "CK|integer; CA|integer; ResID|integer"},
    {"P_TCure", "P_TCure", "CureID", "integer primary key",
     "CureDsc|nvarchar(100); CureSts|integer"},
    {"T_CureCost", "T_CureCost", "ID", "integer primary key",
     "PatientName|Nvarchar(150); PatientNID|varchar(15); Relation|Nvarchar(100); "
     "PatientPName|Nvarchar(150); CostType|Nvarchar(100); CostDate|varchar(10); CostAmount|money; "
     "SH_B|nvarchar(50); IsHospital|bit; IsParaclinic|bit; CureID|integer; "
     "AttachFileDsc|Nvarchar(250); AttachFileCnt|int; VerifierAmount|money; "
     "VerifierDsc|Nvarchar(250); RecieverName|Nvarchar(150); DeliveryName|Nvarchar(150); "
     "InsDate|varchar(10); SendDate|varchar(10); HasReturnedAmount|bit"},
    {"P_SetCheck", "P_SetCheck", "ID", "integer primary key",
     "ShHesab|nvarchar(50); Left_Mab|Integer; Left_Vajh|Integer; Left_TSa|Integer; "
     "Left_MabH|Integer; Left_TSaH|Integer; Top_Mab|Integer; Top_Vajh|Integer; Top_TSa|Integer; "
     "Top_MabH|Integer; Top_TSaH|Integer; Left_NID|Integer; Top_NID|Integer; Left_Tozih|Integer; "
     "Top_Tozih|Integer; is_VisibleTozih|bit; is_Tas_NetNum|bit"},
    {"T_Lottery", "T_Lottery", "LotteryID", "integer primary key",
     "LotteryDsc|nvarchar(150); LotterySts|integer; LotteryDate|varchar(10); "
     "SudurAdvType|varchar(50); SudurBegDate|varchar(10); SudurEndDate|varchar(10); "
     "SudurFixAdv|integer; SudurLowAmt|money; SudurLowAdv|integer; SudurHighAmt|money; "
     "SudurHighAdv|integer; SudurMidAdv|integer; ElhaqFixAdv|integer"},
    {"T_Lottery_Dt", "T_Lottery_Dt", "ID", "integer primary key",
     "LotteryID|integer; ServiceType|nvarchar(50); ServiceNum|varchar(30); CalcAdv|integer"},
    {"T_Lottery_Winner", "T_Lottery_Winner", "ID", "integer primary key",
     "LotteryID|integer; LotteryID_Dt|integer; LotteryNum|numeric(10,0)"},
    {"T_Lottery_Winner_Temp", "T_Lottery_Winner_Temp", "ID", "integer primary key",
     "LotteryID|integer; LotteryID_Dt|integer; LotteryNum|numeric(10,0)"},
    {"T_Outbox_Config", "T_Outbox_Config", "ConfigID", "integer primary key",
     "MsgSts|bit; MsgType|varchar(50); MsgText|nvarchar(250)"},
};

TEST(ZedidoverCatalog, EveryEntryInRunOrderExactly) {
  const auto& entries = insurance();
  ASSERT_EQ(entries.size(), std::size(kEntries));
  for (size_t i = 0; i < entries.size(); ++i) {
    const CatalogEntry& e = entries[i];
    const Row& row = kEntries[i];
    SCOPED_TRACE(row.step);
    EXPECT_EQ(e.step, row.step) << "place " << i + 1;
    EXPECT_EQ(e.table, row.table);
    EXPECT_EQ(e.keyColumn, row.key);
    EXPECT_EQ(e.keyType, row.keyType);
    expectColumns(e, parseColumns(row.columns));
  }
}

const std::set<std::string> kGaugeAfterColumns = {"T_Insured", "T_Advantage_Formulas", "T_Advantages",
                                                  "T_Credit_Cash", "T_Credit_Cash_History"};

TEST(ZedidoverCatalog, TemplateVariants) {
  for (const CatalogEntry& e : insurance()) {
    SCOPED_TRACE(e.step);
    EXPECT_TRUE(e.extraTick);
    EXPECT_EQ(e.gaugeSetup, kGaugeAfterColumns.count(e.step) ? CatalogEntry::GaugeSetup::AfterColumns
                                                              : CatalogEntry::GaugeSetup::BeforeColumns);
    EXPECT_FALSE(e.pending);
    EXPECT_FALSE(e.keyless());
    EXPECT_FALSE(e.missingColumnHint.empty());
  }
}

// --- the statements of the 35 steps, as sent -----------------------------------------------

// The three recurring forms; <T> is the step's table.
std::string dropIndex(const std::string& index) {
  return "if exists (select 1 from sys.indexes where name='" + index + "' and object_id=object_id('<T>')) DROP INDEX  " +
         index + " ON <T>";
}
std::string dropForeignKey(const std::string& key) {
  return "if exists (select name from sys.foreign_keys where name='" + key + "') alter table <T> drop  constraint " +
         key + " ";
}
std::string addForeignKey(const std::string& key, const std::string& column, const std::string& table,
                          const std::string& referenced) {
  return "alter table <T> add constraint " + key + " foreign key (" + column + ") REFERENCES " + table + "(" +
         referenced + ") ";
}
std::string param(const std::string& name, const std::string& value) { return " :" + name + "=" + value; }

struct Sent {
  std::string where;  // before-step, before-create, after N (columns), end (after the list), after-ticks
  char channel;       // 'C' command, 'Q' query batch (lines joined with CR LF)
  std::string text;
};

// What each statement is, where it goes and how, in one text to compare.
std::string describe(const CatalogEntry& e, const schema::StepStatement& s) {
  using Stage = schema::StepStatement::Stage;
  std::string where = s.stage == Stage::BeforeStep     ? "before-step"
                      : s.stage == Stage::BeforeCreate ? "before-create"
                      : s.stage == Stage::AfterTicks   ? "after-ticks"
                      : s.place == e.columns.size()    ? "end"
                                                       : "after " + std::to_string(s.place);
  if (s.onlyWhenTableMissing) where += " if-table-missing";
  if (!s.onlyWhenNoRows.empty()) where += " if-no-rows " + s.onlyWhenNoRows;
  std::string text;
  for (const std::string& line : s.lines) text += (text.empty() ? "" : "\r\n") + line;
  for (size_t at = text.find(schema::StepStatement::kCurrentTable); at != std::string::npos;
       at = text.find(schema::StepStatement::kCurrentTable, at))
    text.replace(at, schema::StepStatement::kCurrentTable.size(), e.table);
  for (const auto& [name, value] : s.params) text += param(name, value);
  return where + " " + (s.channel == schema::StepStatement::Channel::Command ? 'C' : 'Q') + " " + text;
}

std::string describe(const CatalogEntry& e, const Sent& sent) {
  std::string text = sent.text;
  for (size_t at = text.find("<T>"); at != std::string::npos; at = text.find("<T>", at)) text.replace(at, 3, e.table);
  return sent.where + " " + sent.channel + " " + text;
}

// Four texts differ from the product's, each mended as the catalog's comments say: the
// not-null conversions of A_GHAVALEH, A_GMSANDUQ, sudur, A_Sharh_Aqsat and P_TBimeh_Wage_DT
// are guarded by sys.columns; sudur's key test reads sys.key_constraints; A_CDARYAFTI_I's
// batch is guarded on the new key; the numberings start after the highest number held; and
// P_TBimeh_Wage_DT fills and converts Wage_Year before its key.
const std::vector<std::pair<std::string, std::vector<Sent>>> kStatements = {
    {"A_AQSAT_I",
     {
         {"end", 'C', dropIndex("Idx_A_AQSAT")},
         {"end", 'C', "CREATE NONCLUSTERED INDEX Idx_A_AQSAT ON A_AQSAT (NOE_AQSAT) INCLUDE ([SH_A],[SH_B],[CTH],[CG],[TA],[QEST_NUM],[QEST_COUNTER],[IS_ADOREH],[TOZIH],[IS_DOUBLE])"},
         {"end", 'C', dropIndex("Idx_UK_A_AQSAT")},
         {"end", 'C', "CREATE UNIQUE NONCLUSTERED INDEX Idx_UK_A_AQSAT ON A_AQSAT ([SH_A] ASC,[SH_B] ASC,[NOE_AQSAT] ASC)"},
     }},
    {"A_ASNAD_I",
     {
         {"end", 'C', " alter table A_ASNAD alter column [SHARH] nvarchar(150)  "},
     }},
    {"A_CDARYAFTI_I",
     {
         {"end", 'Q', "IF (OBJECT_ID('dbo.PK_A_CDARYAFTI_NEW') IS NULL) begin IF (OBJECT_ID('dbo.PK_A_CDARYAFTI') IS NOT NULL) alter table A_CDARYAFTI DROP CONSTRAINT [PK_A_CDARYAFTI];\r\nupdate A_CDARYAFTI set SeriNo='0' where 1=1 and ( SeriNo is null or SeriNo= '' ) ; \r\nALTER TABLE A_CDARYAFTI alter column [SHSERIAL] varchar(50) not null;\r\nALTER TABLE A_CDARYAFTI alter column [SeriNo] varchar(50) not null;\r\nALTER TABLE A_CDARYAFTI ADD CONSTRAINT PK_A_CDARYAFTI_NEW PRIMARY KEY NONCLUSTERED (shserial,[SeriNo]);\r\nend;"},
     }},
    {"A_ENTEQAL",
     {
         {"end", 'C', "alter table A_ENTEQAL alter column babat nvarchar (250)"},
     }},
    {"A_FASQ",
     {
         {"end", 'Q', "if object_id ('PK_A_FASQ') is not null alter table A_FASQ DROP CONSTRAINT PK_A_FASQ "},
         {"end", 'Q', "alter table A_FASQ ALTER COLUMN SH_B NVARCHAR(50) NOT NULL "},
         {"end", 'Q', "DECLARE @ID INT;SELECT @ID=ISNULL(MAX(SH_ID),0) FROM A_FASQ;UPDATE A_FASQ SET @ID=SH_ID=@ID+1 WHERE SH_ID IS NULL;"},
         {"end", 'Q', "alter table A_FASQ ALTER COLUMN SH_ID integer NOT NULL "},
         {"end", 'Q', "alter table A_FASQ ADD CONSTRAINT PK_A_FASQ PRIMARY KEY (SH_B,SH_ID)"},
     }},
    {"A_GHAVALEH",
     {
         {"end", 'C', "alter table A_GHAVALEH alter column NA nvarchar(150)"},
         {"end", 'C', "if exists (select 1 from sys.columns where object_id=object_id('A_GHAVALEH') and name='SH_R' and (system_type_id<>56 or is_nullable=1)) alter table A_GHAVALEH ALTER COLUMN SH_R INT NOT NULL"},
         {"end", 'C', "if exists (select 1 from sys.columns where object_id=object_id('A_GHAVALEH') and name='CA' and (system_type_id<>56 or is_nullable=1)) alter table A_GHAVALEH ALTER COLUMN CA INT NOT NULL"},
         {"end", 'C', "if exists (select 1 from sys.columns where object_id=object_id('A_GHAVALEH') and name='ID' and (system_type_id<>56 or is_nullable=1)) alter table A_GHAVALEH ALTER COLUMN ID INT NOT NULL"},
         {"end", 'C', "IF OBJECT_ID('PK_A_GHAVALEH') IS NOT NULL ALTER TABLE A_GHAVALEH DROP constraint PK_A_GHAVALEH; alter table A_GHAVALEH add constraint PK_A_GHAVALEH  primary key  (ID)"},
         {"end", 'C', dropIndex("UK_A_GHAVALEH")},
         {"end", 'C', dropIndex("Idx_Uniq_A_GHAVALEH")},
         {"end", 'C', "CREATE UNIQUE NONCLUSTERED INDEX Idx_Uniq_A_GHAVALEH ON A_GHAVALEH (SH_R ASC,CA ASC)"},
     }},
    {"A_GMSANDUQ",
     {
         {"end", 'C', "alter table A_GMSANDUQ alter column NA nvarchar(150)"},
         {"end", 'C', "if exists (select 1 from sys.columns where object_id=object_id('A_GMSANDUQ') and name='SH_R' and (system_type_id<>56 or is_nullable=1)) alter table A_GMSANDUQ ALTER COLUMN SH_R INT NOT NULL"},
         {"end", 'C', "if exists (select 1 from sys.columns where object_id=object_id('A_GMSANDUQ') and name='CA' and (system_type_id<>56 or is_nullable=1)) alter table A_GMSANDUQ ALTER COLUMN CA INT NOT NULL"},
         {"end", 'C', "IF OBJECT_ID('PK_A_GMSANDUQ') IS NULL alter table A_GMSANDUQ add constraint PK_A_GMSANDUQ  primary key  (sh_r,ca)"},
     }},
    {"A_GMTHESAB_I",
     {
         {"end", 'Q', "alter table A_GMTHESAB alter column SA  nvarchar(20)"},
         {"end", 'Q', "alter table A_GMTHESAB alter column NA  nvarchar(250)"},
         {"end", 'Q', "alter table A_GMTHESAB alter column NTH  nvarchar(150)"},
         {"end", 'Q', "alter table A_GMTHESAB alter column SHARH  nvarchar(250)"},
     }},
    {"A_Sharh_Aqsat",
     {
         {"end", 'C', dropIndex("Idx_A_SHARH_AQSAT")},
         {"end", 'C', "CREATE NONCLUSTERED INDEX Idx_A_SHARH_AQSAT ON A_Sharh_Aqsat (SH_A,VAZ) INCLUDE ([SH_R],[SH_RP],[TA_QEST],[MAB_QEST],[SELECTED],[SH_R2],[MAN_QEST],[PAYMENT_ID],[IS_Canceled])"},
         {"end", 'C', "if not exists (select 1 from sys.columns where name='RowID' and object_id=object_id('A_Sharh_Aqsat'))  alter table A_Sharh_Aqsat add RowID INT ;"},
         {"end", 'C', "declare @id int;select @id=isnull(max(RowID),0) from A_Sharh_Aqsat;UPDATE A_Sharh_Aqsat set @id=RowID=@id+1 where RowID is null;"},
         {"end", 'C', "if exists (select 1 from sys.columns where object_id=object_id('A_Sharh_Aqsat') and name='RowID' and (system_type_id<>56 or is_nullable=1)) alter table A_Sharh_Aqsat alter column RowID INT not null;"},
         {"end", 'C', "IF OBJECT_ID ('PK_A_SHARH_AQSAT') IS NULL  alter table A_Sharh_Aqsat add constraint PK_A_SHARH_AQSAT PRIMARY key (RowID)"},
     }},
    {"sudur",
     {
         {"end", 'C', "if exists (select 1 from sys.columns where object_id=object_id('Sudur') and name='SH_B' and (system_type_id<>231 or max_length<>100 or is_nullable=1)) alter table Sudur ALTER COLUMN SH_B  nvarchar(50) NOT NULL "},
         {"end", 'C', "IF NOT EXISTS (select 1 from sys.key_constraints where type='PK' and parent_object_id=object_id('Sudur'))  alter table Sudur add constraint PK_SUDUR PRIMARY key (SH_B) "},
     }},
    {"P_TBIMEH",
     {
         {"after 2", 'Q', "alter table P_TBIMEH alter column per_karmozd  float"},
     }},
    {"P_TTHESAB_I",
     {
         {"end", 'Q', "alter table p_tthesab alter column Adr nvarchar(250)"},
         {"end", 'Q', "alter table p_tthesab alter column pursant_yuzda float"},
         {"end", 'Q', "update p_tthesab set ng=:p1 where cg=2" + param("p1", "بيمه گذار")},
         {"end", 'Q', "alter table p_tthesab alter column [TO] nvarchar(250)"},
     }},
    {"P_TKarmozd",
     {
         {"before-create if-table-missing", 'C', "create table dbo.P_TKarmozd (INS_CD integer , BZR_CD integer ,COM_CD  integer, primary key(INS_CD , BZR_CD , COM_CD))"},
     }},
    {"Temp_THesab",
     {
         {"before-create if-table-missing", 'C', "create table dbo.Temp_THesab (Name nvarchar(100) )"},
     }},
    {"P_OTHERS_SMS",
     {
         {"before-create if-table-missing", 'C', "create table dbo.P_OTHERS_SMS (NTH nvarchar(50) )"},
     }},
    {"P_Cash_Users",
     {
         {"before-create if-table-missing", 'C', "create table dbo.P_Cash_Users (CK integer , CASH_CD integer ,CASH_DSC nvarchar(150) ,NK nvarchar(50) , primary key(CK , CASH_CD ))"},
     }},
    {"P_Sanad_Type",
     {
         {"before-step", 'C', "IF OBJECT_ID('P_Sanad_Type') IS NOT NULL DROP Table P_Sanad_Type "},
         {"after-ticks", 'C', "delete from P_Sanad_Type"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (1 ,'سند صدور بيمه نامه')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (2 ,'سند دريافت')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (3 ,'سند پرداخت')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (4 ,'سند تخفيف به مشتري')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (5 ,'سند فسخ يا الحاقيه')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (6 ,'سند هزينه')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (7 ,'سند درآمد')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (8 ,'سند انتقال حساب بين طرف حسابها')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (9 ,'سند عودت چک')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (10 ,'سند برگشت چک')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (11 ,'سند انتقال حساب بين صندوق و بانک')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (12 ,'اضافه دريافت از مشتري')"},
         {"after-ticks", 'C', "insert into  P_Sanad_Type values (13 ,'واريز جايگزين اقساط عمر')"},
     }},
    {"T_Offers",
     {
         {"before-create if-table-missing", 'C', "create table T_Offers (Offer_ID integer  NOT NULL IDENTITY (1, 1))"},
     }},
    {"T_General",
     {
         {"before-create if-table-missing", 'C', "create table dbo.T_General (ID integer  NOT NULL IDENTITY (1, 1))"},
     }},
    {"T_sms_Sendbox",
     {
         {"before-create if-table-missing", 'C', "create table dbo.T_SMS_Sendbox (ID integer  NOT NULL IDENTITY (1, 1))"},
     }},
    {"T_sms_Inbox",
     {
         {"before-create if-table-missing", 'C', "create table dbo.T_SMS_Inbox (ID integer  NOT NULL IDENTITY (1, 1))"},
         {"end", 'C', "alter table  T_SMS_Inbox alter column [SMS_TEXT] nvarchar(450)"},
     }},
    {"T_Sms_Vote_Dt",
     {
         {"end", 'C', dropForeignKey("FK_VOTE_ID")},
         {"end", 'C', addForeignKey("FK_VOTE_ID", "VOTE_ID", "T_Sms_Vote", "VOTE_ID")},
     }},
    {"P_TBimeh_Wage_DT",
     {
         {"end", 'C', "update P_TBimeh_Wage_DT set Ins_com_cd=1 where Ins_com_cd is null "},
         {"end", 'C', "update P_TBimeh_Wage_DT set Wage_Year='' where Wage_Year is null "},
         {"end", 'C', "if exists (select 1 from sys.columns where object_id=object_id('P_TBimeh_Wage_DT') and name='CB' and (system_type_id<>56 or is_nullable=1)) alter table P_TBimeh_Wage_DT alter column CB integer not null "},
         {"end", 'C', "if exists (select 1 from sys.columns where object_id=object_id('P_TBimeh_Wage_DT') and name='Ins_com_cd' and (system_type_id<>56 or is_nullable=1)) alter table P_TBimeh_Wage_DT alter column Ins_com_cd integer not null "},
         {"end", 'C', "IF OBJECT_ID('PK_TBimeh_Wage_DT') IS NOT NULL ALTER TABLE P_TBimeh_Wage_DT DROP CONSTRAINT  PK_TBimeh_Wage_DT "},
         {"end", 'C', "IF EXISTS(SELECT * FROM   INFORMATION_SCHEMA.COLUMNS WHERE  TABLE_NAME = 'P_TBimeh_Wage_DT' AND COLUMN_NAME = 'Wage_Year_Int') alter table P_TBimeh_Wage_DT  drop column Wage_Year_Int;"},
         {"end", 'C', "if exists (select 1 from sys.columns where object_id=object_id('P_TBimeh_Wage_DT') and name='Wage_Year' and (system_type_id<>231 or max_length<>100 or is_nullable=1)) alter table P_TBimeh_Wage_DT alter column Wage_Year nvarchar(50) not null "},
         {"end", 'C', "alter table P_TBimeh_Wage_DT add constraint PK_TBimeh_Wage_DT primary key (Ins_com_cd,CB,Wage_Year) "},
         {"end", 'C', "alter table P_TBimeh_Wage_DT add Wage_Year_Int as(case when Wage_Year like '%اول%' then 1 when Wage_Year like '%دوم%' then 2 when Wage_Year like '%سوم%' then 3  when Wage_Year like '%چهارم%' then 4 when Wage_Year like '%پنجم%' then 5 when Wage_Year like '%ششم%' then 6 when Wage_Year like '%هفتم%' then 7 end)"},
     }},
    {"T_Advantage_Formulas",
     {
         {"before-create", 'C', "IF OBJECT_ID('T_Advantage_Formulas') IS  NULL Create table dbo.T_Advantage_Formulas (Formula_ID int not null unique,CG int not null ,CTH int not null,CB int not null , primary key (CG,CTH,CB) )"},
     }},
    {"T_Advantages",
     {
         {"end", 'C', dropForeignKey("FK_Adv_Formula_ID")},
         {"end", 'C', addForeignKey("FK_Adv_Formula_ID", "Formula_ID", "T_Advantage_Formulas", "Formula_ID")},
     }},
    {"T_Credit_Cash",
     {
         {"after-ticks", 'C', dropIndex("IX_T_Credit_Cash")},
         {"after-ticks", 'C', "CREATE UNIQUE NONCLUSTERED INDEX IX_T_Credit_Cash ON T_Credit_Cash (INS_COM_CD ASC) \rWITH (PAD_INDEX  = OFF, STATISTICS_NORECOMPUTE  = OFF, SORT_IN_TEMPDB = OFF, IGNORE_DUP_KEY = OFF, DROP_EXISTING = OFF, ONLINE = OFF, ALLOW_ROW_LOCKS  = ON, ALLOW_PAGE_LOCKS  = ON) ON [PRIMARY]"},
     }},
    {"T_Credit_Cash_History",
     {
         {"after-ticks", 'C', "IF OBJECT_ID('FK_T_Credit_Cash') IS NOT NULL ALTER TABLE T_Credit_Cash_History DROP CONSTRAINT  FK_T_Credit_Cash "},
         {"after-ticks", 'C', "ALTER TABLE T_Credit_Cash_History ADD CONSTRAINT FK_T_Credit_Cash FOREIGN KEY (Cash_CD) REFERENCES T_Credit_Cash (Cash_CD)\r"},
     }},
    {"P_TGHAZINEH",
     {
         {"end", 'C', "if not exists (select * from P_TGHAZINEH ) begin insert into P_TGHAZINEH values(1,'هزينه هاي ثابت',''); insert into P_TGHAZINEH values(2,'هزينه هاي غير ثابت','');end; "},
     }},
    {"T_Import_Pattern",
     {
         {"end", 'C', "alter table T_Import_Pattern ALTER COLUMN F_SHB  nvarchar(250) "},
     }},
    {"T_AccCode",
     {
         {"end", 'C', dropIndex("Idx_Uq_AccCode")},
         {"end", 'C', "CREATE UNIQUE NONCLUSTERED INDEX Idx_Uq_AccCode ON dbo.T_AccCode (AccCode ASC,FatherID ASC) "},
         {"end", 'C', "if NOT EXISTS ( SELECT * FROM T_AccCode WHERE ID=0) begin  insert into T_AccCode (ID,AccCode,AccCodeDsc,AccCodeLevel,AccCodeSts,AccCode_MA,AccCode_MN,AccCode_REC,FatherID) values(0,'0','-',0,1,0,0,'بد/بس',-1) end ;"},
     }},
    {"T_AccCode_Forms",
     {
         {"end", 'C', dropIndex("Idx_Uq_Form_FatherAccID")},
         {"end", 'C', "CREATE UNIQUE NONCLUSTERED INDEX Idx_Uq_Form_FatherAccID ON dbo.T_AccCode_Forms (FormName ASC,Form_FatherAccID ASC) "},
     }},
    {"T_AccCode_FormCode",
     {
         {"end", 'C', dropIndex("Idx_Pk_AccCode_FormCode")},
         {"end", 'C', "CREATE  CLUSTERED INDEX Idx_Pk_AccCode_FormCode ON dbo.T_AccCode_FormCode (FormName ASC,AccID ASC,FormCode ASC) "},
         {"end", 'C', dropIndex("Idx_Uq_Form_AccID")},
         {"end", 'C', "CREATE  UNIQUE NONCLUSTERED INDEX Idx_Uq_Form_AccID ON dbo.T_AccCode_FormCode (FormName ASC,AccID ASC) "},
         {"end", 'C', dropIndex("Idx_Uq_Form_FormCode")},
         {"end", 'C', "CREATE  UNIQUE NONCLUSTERED INDEX Idx_Uq_Form_FormCode ON dbo.T_AccCode_FormCode (FormName ASC,FormCode ASC) "},
         {"end", 'C', dropIndex("Idx_Uq_AccID_FormCode")},
         {"end", 'C', "CREATE  UNIQUE NONCLUSTERED INDEX Idx_Uq_AccID_FormCode ON dbo.T_AccCode_FormCode (AccID ASC,FormCode ASC) "},
         {"end", 'C', dropForeignKey("FK_AccCode_FormCode")},
         {"end", 'C', addForeignKey("FK_AccCode_FormCode", "AccID", "T_AccCode", "ID")},
     }},
    {"T_AccAsnad",
     {
         {"end", 'C', "alter table T_AccAsnad alter column SanadID_Form nvarchar (20) not null"},
     }},
    {"T_CureCost",
     {
         {"end", 'C', dropForeignKey("FK_CostCureID")},
         {"end", 'C', addForeignKey("FK_CostCureID", "CureID", "P_TCure", "CureID")},
         {"end", 'C', dropForeignKey("FK_Cure_SH_B")},
         {"end", 'C', addForeignKey("FK_Cure_SH_B", "SH_B", "SUDUR", "SH_B")},
     }},
    {"T_Lottery_Dt",
     {
         {"end", 'C', "alter table T_Lottery_Dt ALTER COLUMN ServiceType  nvarchar(100)  "},
     }},
};

TEST(ZedidoverCatalog, TheStatementsOfThe35StepsAsSentAndWhere) {
  std::set<std::string> withStatements;
  for (const CatalogEntry& e : insurance())
    if (!e.statements.empty()) withStatements.insert(e.step);
  EXPECT_EQ(withStatements.size(), 35u);
  ASSERT_EQ(kStatements.size(), 35u);
  for (const auto& [step, expected] : kStatements) {
    SCOPED_TRACE(step);
    const CatalogEntry* e = catalog::findEntry(step);
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(withStatements.count(step));
    ASSERT_EQ(e->statements.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
      EXPECT_EQ(describe(*e, e->statements[i]), describe(*e, expected[i])) << "statement " << i + 1;
  }
}

TEST(ZedidoverCatalog, DeltaStyleRepeatsTheKeyOnlyInTwoEntries) {
  for (const CatalogEntry& e : insurance()) {
    size_t repeats = 0;
    for (const auto& c : e.columns) repeats += bare(c.name) == bare(e.keyColumn);
    EXPECT_EQ(repeats, e.step == "P_TKarmozd" || e.step == "A_ENTEQAL" ? 1u : 0u) << e.step;
  }
}

TEST(ZedidoverCatalog, NamesReachStatementsSafely) {
  for (const CatalogEntry& e : insurance()) expectNamesSafeInStatements(e);
  // The expense groups' recipient column was once sent bare, which the server refuses (156).
  const CatalogEntry* expenses = catalog::findEntry("P_THazineh_i");
  ASSERT_NE(expenses, nullptr);
  EXPECT_EQ(expenses->columns.back().name, "[TO]");
}

}  // namespace
