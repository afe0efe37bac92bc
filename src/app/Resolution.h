#pragma once

#include <string>

#include "app/Choices.h"

namespace app {

class Session;

// Working out the target of a run or of the console: the product code, the server and the
// connection string, or a cancellation. Resolution builds strings and sets flags; it opens
// nothing. Outside text that would change the connection string's keywords, that is not
// UTF-8, or that is longer than SQL Server accepts is refused.

inline constexpr const char* kServerNameFile = "ServerName.txt";
inline constexpr const char* kProductCodeFile = "NameDataBase.txt";
inline constexpr const char* kAccessFileFilter = "DataBase Files(*.mdb)|*.mdb";
inline constexpr const char* kSqlServerPrefix =
    "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=";
// The fixed database password of the products' Access files.
inline constexpr const char* kAccessPassword = "5190267348";
inline constexpr const char* kHostedPort = "1434";
// Product list index whose catalog has the fiscal-year and hosted variants.
inline constexpr int kInsuranceIndex = 0;

// The choices name the hosted ("Web") database: SQL Server, product index 0, Web checked.
bool isHostedTarget(const Choices& choices);

// Product code, computer name and data-source clause from the choices and ServerName.txt.
void resolveProductAndServer(Session& session);
// The connection string for the chosen engine, or CancelRun when there is none (Oracle, or
// the Access file dialog cancelled).
void resolveConnectionString(Session& session);
// Both, in that order: what a run and the console do before connecting. The caller clears
// CancelRun first and stops when it is set afterwards.
void resolveTarget(Session& session);

// The product code from the first line of NameDataBase.txt; "Koltar" when the file is absent
// or its first line is empty.
void readProductCodeFromFile(Session& session);

}  // namespace app
