// A sharing setting that is passed over is told where a radio setting is: in
// the band list's hint, without a box.

#include "rig_setting.h"
#include "share_setting.h"
#include "station_fixture.h"

#include <QComboBox>

namespace qz::test {
namespace {

using ShareHintTest = StationTest;

TEST_F(ShareHintTest, ABadFileIsToldUnderTheRadioAndTheCommandLineSharesWithoutIt)
{
    start();
    folder.write(std::string(kRigSettingFile), "off\r\n");
    folder.write(std::string(kShareSettingFile), "broker=pc:1883\r\nstation=QZ5KV/#\r\nuser=klub\r\n");
    form1().followRadio(chooseRig(std::nullopt, folder.path()));
    station_->chooseSharing(chooseShare(std::string("127.0.0.1:1883"), folder.path()));

    EXPECT_EQ(mainWindow().ComboBox1->toolTip().toStdString(),
              "Radio: nie jest śledzone (off w QZ5KV_stationbook_rig.txt)\n"
              "Pominięto ustawienie sieci QZ5KV_stationbook_share.txt, wiersz 2 „station=QZ5KV/#”: "
              "nazwa stacji to od 1 do 40 liter (bez polskich), cyfr, „-” i „_”.");
    ASSERT_TRUE(station_->sharing());
    EXPECT_EQ(station_->sharing()->broker.text(), "127.0.0.1:1883");
    EXPECT_EQ(station_->sharing()->station, "QZ5KV");
    EXPECT_TRUE(platform.boxes.empty());
}

}  // namespace
}  // namespace qz::test
