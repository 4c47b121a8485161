#include "TestSupport.h"
#include "common/DataPaths.h"
#include "common/Product.h"

#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;

TEST(DataPaths, FamilyFolderNamesAreMadeEightDotThree) {
    EXPECT_EQ(family_folder_name("PYCNONOT"), "PYCNONOT");
    EXPECT_EQ(family_folder_name("ALCEDO"), "ALCEDO");
    EXPECT_EQ(family_folder_name("MUSCICAPIDAEX"), "MUSCICAP.IDA");
    EXPECT_EQ(family_folder_name("ABCDEFGHIJKLMN"), "ABCDEFGH.IJK");
    EXPECT_EQ(family_folder_name("ABCDEFGHI"), "ABCDEFGH.I");
}

TEST(DataPaths, TapeAndCutNumbersGetAtLeastTwoDigits) {
    EXPECT_EQ(tape_folder_name(7), "07");
    EXPECT_EQ(tape_folder_name(123), "123");
    EXPECT_EQ(sound_file_path({7, 'A', 5, ' ', 0}), "tapes\\07\\A05.WAV");
    EXPECT_EQ(sound_file_path({123, 'B', 105, 'b', 0}), "tapes\\123\\B105b.WAV");
    EXPECT_EQ(sound_file_path({12, ' ', 5, ' ', 0}), "tapes\\12\\05.WAV");
}

TEST(DataPaths, CompressionNumbersSelectTheSuffix) {
    const char* expected[] = {"", "_R", "_2R", "_C", "_2C", "_MF", "_MC", "_MT", "_M4", "_M2"};
    for (int number = 0; number < 10; ++number)
        EXPECT_EQ(sound_file_name({1, 'A', 1, ' ', number}),
                  std::string("A01") + expected[number] + ".WAV");
    EXPECT_EQ(compression_suffix(10), "");
    EXPECT_EQ(compression_suffix(-1), "");
}

TEST(DataPaths, SpeciesFilesUseTheFamilyFolderAndUniqueId) {
    EXPECT_EQ(small_picture_path("PHASIANIDAE", "1042"), "smalpict\\PHASIANI.DAE\\1042.jpg");
    EXPECT_EQ(big_picture_folder_path("ALCEDO", "77"), "big_pict\\ALCEDO\\77");
    EXPECT_EQ(big_picture_path("ALCEDO", "77", 1), "big_pict\\ALCEDO\\77.jp1");
    EXPECT_EQ(big_picture_extension(12), "j12");
    EXPECT_EQ(big_picture_extension(123), "123");
    EXPECT_EQ(
        distribution_map_path("ALCEDO", "77", 2, capabilities_of(106).distribution_map_extension),
        "distmaps\\ALCEDO\\77-2.bmp");
    EXPECT_EQ(
        distribution_map_path("ALCEDO", "77", 1, capabilities_of(111).distribution_map_extension),
        "distmaps\\ALCEDO\\77-1.xxx");
    EXPECT_EQ(spoken_name_path("ALCEDO", "77", false), "voices\\lang1\\ALCEDO\\77.wav");
    EXPECT_EQ(spoken_name_path("ALCEDO", "77", true), "voices\\lang2\\ALCEDO\\77.wav");
    EXPECT_EQ(site_description_path("kinabalu.htm"), "localities\\kinabalu.htm");
    EXPECT_EQ(site_description_path(""), std::nullopt);
    EXPECT_EQ(site_description_path("hills\\..kinabalu..htm"),
              "localities\\hills\\..kinabalu..htm");
    for (const char* escape : {"..\\..\\passwords.txt", "../secret.htm", "hills/../../x.htm",
                               "hills\\..", "/etc/passwd", "\\windows\\win.ini", "C:\\boot.ini"})
        EXPECT_EQ(site_description_path(escape), std::nullopt) << escape;
}

TEST(DataPaths, TrailingSeparatorKeepsTheFolderStyle) {
    EXPECT_EQ(with_trailing_separator(""), "\\");
    EXPECT_EQ(with_trailing_separator("E:"), "E:\\");
    EXPECT_EQ(with_trailing_separator("E:\\DATA\\"), "E:\\DATA\\");
    EXPECT_EQ(with_trailing_separator("/media/disc"), "/media/disc/");
    EXPECT_EQ(with_trailing_separator("/media/disc/"), "/media/disc/");
}

TEST(DataPaths, CopiedTrackIsTheFirstFileWhoseNameHoldsTheTrackNumber) {
    TempDir folder;
    write_file(folder.file("cd1/Track 07 second.wav"), "b");
    write_file(folder.file("cd1/Track 07 first.wav"), "a");
    write_file(folder.file("cd1/17.wav"), "c");
    write_file(folder.file("cd1/7.wav"), "d");
    EXPECT_EQ(copied_track_path(folder.file("cd1/"), 7), folder.file("cd1/Track 07 first.wav"));
    EXPECT_EQ(copied_track_path(folder.file("CD1"), 17), folder.file("cd1/17.wav"));
    EXPECT_EQ(copied_track_path(folder.file("cd1"), 8), std::nullopt);
    EXPECT_EQ(copied_track_path(folder.file("missing"), 7), std::nullopt);
    EXPECT_EQ(copied_track_path("", 7), std::nullopt);
}
