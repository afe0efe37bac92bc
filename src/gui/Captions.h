#pragma once

// The texts of the updater's windows, in one place. Persian texts are written exactly as the
// products have always shown them (Arabic yeh, and keheh or Arabic kaf where each is used).
namespace gui::captions {

// Application and maker.
inline constexpr const char* kApplicationTitle = "بروزرساني بانک اطلاعاتي مراو";
inline constexpr const char* kMakerPersian = "گروه نرم افزاري مراو";
inline constexpr const char* kMainTitlePersian = "بروزرساني بانک اطلاعاتي محصولات گروه نرم افزاري مراو";
inline constexpr const char* kMainTitleEnglish = "Morav Software Group products database update";
inline constexpr const char* kVersionPrefix = "نسخه: ";
inline constexpr const char* kVersion = "21.05.018";

// Footer: maker, web address, sales and support telephones.
inline constexpr const char* kWebAddress = "www.morav.example";
inline constexpr const char* kSalesPhone = "فروش: 021-5550 0100";
inline constexpr const char* kSupportPhone = "پشتيباني: 021-5550 0200";

// Main window controls.
inline constexpr const char* kProductList = "  محصولات  ";
inline constexpr const char* kEngineGroup = "  نوع ديتا بيس  ";
inline constexpr const char* kEngineAccess = "ديتا بيس Access";
inline constexpr const char* kEngineSqlServer = "ديتا بيس SQL Server";
inline constexpr const char* kEngineOracle = "ديتابيس  Oracle";
inline constexpr const char* kSqlVersionList = "  نسخه SQL Server  ";
inline constexpr const char* kSqlVersions[] = {"SQL 2000", "SQL 2005", "SQL 2008", "SQL 2012"};
inline constexpr const char* kOracleVersionList = "  نسخه Oracle  ";
inline constexpr const char* kOracleVersions[] = {"Oracle 9i", "Oracle 10g", "Oracle 11g"};
inline constexpr const char* kConvertAutonum = "تبديل Autonum به Number معمولي";
inline constexpr const char* kWeb = "Web";
// Lean catalog reads, offered with the hosted database: "fewer reads of the structure".
inline constexpr const char* kLeanReads = "خواندن کمتر ساختار";
inline constexpr const char* kFiscalYearClosed = "Fyc";
inline constexpr const char* kLocal = "Local";
inline constexpr const char* kProgressGroup = "  پيشرفت عمليات  ";
inline constexpr const char* kStart = "شروع عمليات ارتقاء     ";
inline constexpr const char* kExit = "خروج        ";
inline constexpr const char* kConsoleButtonHint = "اجراي دستورات SQL";
inline constexpr const char* kTools = "ابزارها";
inline constexpr const char* kToolsAssistant = "راه اندازي بانک اطلاعاتي دستيار...";
inline constexpr const char* kToolsLibrary = "کتابخانه تاريخ و اعداد فارسي...";

// SQL console.
inline constexpr const char* kConsoleTitle = "اجراي دستورات";
inline constexpr const char* kConsoleExecute = "اجرا";
inline constexpr const char* kConsoleExit = "خروج";
inline constexpr const char* kConsoleExecuteFile = "اجرا با فايل";

// Assistant window.
inline constexpr const char* kAssistantTitle = "راه اندازي بانک اطلاعاتي دستيار";
inline constexpr const char* kAssistantExplanation =
    "بانک اطلاعاتي دستيار حسابداري (BenvoAssistant) و جدول هاي آن را مي سازد، اگر هنوز نباشد.";
inline constexpr const char* kAssistantSetup = "Button1";

}  // namespace gui::captions
