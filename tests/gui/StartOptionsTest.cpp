#include <gtest/gtest.h>

#include <stdexcept>

#include "gui/UpdaterWindows.h"

namespace {

TEST(StartOptionsTest, ProductBackendAndScreenshot) {
  const gui::StartOptions options = gui::parseStartOptions(
      {"--product", "Vedizi2", "--data-dir=/srv/morav", "--backend", "embedded", "--screenshot", "shot.png"});
  ASSERT_TRUE(options.product);
  EXPECT_EQ(options.product->listIndex, std::nullopt);
  EXPECT_EQ(options.product->presetCode, "Vedizi2");
  EXPECT_EQ(options.backend.dataDir, std::filesystem::path("/srv/morav"));
  EXPECT_EQ(options.backend.kind, db::BackendConfig::Kind::Embedded);
  EXPECT_EQ(options.screenshot, "shot.png");
  EXPECT_FALSE(options.createDatabase);
  EXPECT_TRUE(gui::parseStartOptions({"--create-database"}).createDatabase);

  EXPECT_EQ(gui::parseStartOptions({"--product", "Koltar"}).product->listIndex, 5);
  EXPECT_EQ(gui::parseStartOptions({"--product=2"}).product->listIndex, 2);
  EXPECT_EQ(gui::parseStartOptions({"--odbc-driver", "FreeTDS"}).backend.odbcDriver, "FreeTDS");
}

TEST(StartOptionsTest, RefusesWhatItCannotUse) {
  for (const QStringList& args : {QStringList{"--product", "7"}, QStringList{"--product"}, QStringList{"--backend", "x"},
                                  QStringList{"--verbose"}, QStringList{"--create-database=yes"}, QStringList{"run"}})
    EXPECT_THROW(gui::parseStartOptions(args), std::invalid_argument) << args.join(' ').toStdString();
}

}  // namespace
