// The project list's sort, entries, date formats and track-info groups.

#include <gtest/gtest.h>

#include <tuple>

#include "files/date_time_text.h"
#include "files/project_list.h"
#include "scripted_dialogs.h"

namespace spurwerk {
namespace {

const std::string Old = "/c/PRJ002/PRJDATA.ZDT     ## 01.02.99 10:00:00 ##  ZDT-Proj.: \"ZULU\"      [t=      2s   max.]";
const std::string New = "/c/PRJ001/PRJDATA.ZDT     ## 03.04.24 09:00:00 ##  ZDT-Proj.: \"ALPHA\"     [t=     10s   max.]";
const std::string Mid = "/c/PRJ003/PRJDATA.ZDT     ## 03.04.24 08:59:59 ##  ZDT-Proj.: \"MIKE\"      [t=      5s   max.]";
const std::string Wav = "/c/PRJ003/AUDIO/B.WAV     ## 05.05.05 05:05:05 # [t=      1s   , 1x44.1KHz, 16-Bit]";
const std::string Txt = "/c/A.TXT                  ## 05.05.05 05:05:05 #";
const std::string Batch = "/c/PRJ009/PRJDATA.ZDT    ## (Marke gesetzt.)";

std::vector<std::string> Sorted(ListSortType type, bool reverse) {
    std::vector<std::string> lines = {Old, New, Mid, Wav, Txt, Batch};
    SortListLines(lines, type, reverse);
    return lines;
}

TEST(ProjectListSort, EachModeAndItsReversal) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Sorted(ListSortType::DirFile, false), (V{Txt, New, Old, Wav, Mid, Batch}));
    EXPECT_EQ(Sorted(ListSortType::DirFile, true), (V{Batch, Mid, Wav, Old, New, Txt}));
    // Newest first; 99 is 1999; a line without a date counts as the earliest.
    EXPECT_EQ(Sorted(ListSortType::FileDate, false), (V{New, Mid, Txt, Wav, Old, Batch}));
    EXPECT_EQ(Sorted(ListSortType::FileDate, true), (V{Batch, Old, Wav, Txt, Mid, New}));
    // Lines without a project name first, among themselves by the whole line.
    EXPECT_EQ(Sorted(ListSortType::ProjectName, false), (V{Txt, Wav, Batch, New, Mid, Old}));
    // Longest time first; lines without a time last.
    EXPECT_EQ(Sorted(ListSortType::AudioTime, false), (V{New, Mid, Old, Wav, Txt, Batch}));
}

TEST(ProjectListSort, ListDatesParseOnlyTheirOwnFormat) {
    EXPECT_LT(*ParseListDateTime("31.12.99 23:59:59", 2026), *ParseListDateTime("01.01.00 00:00:00", 2026));
    EXPECT_FALSE(ParseListDateTime("(Marke gesetzt.)", 2026));
    EXPECT_FALSE(ParseListDateTime("32.01.24 00:00:00", 2026));
    // A two-digit year lies from 50 years before to 49 years after the reference year.
    const std::tuple<const char*, int, std::int64_t> years[] = {
        {"75", 2026, 2075}, {"76", 2026, 1976}, {"30", 2080, 2030}, {"29", 2080, 2129}};
    for (const auto& [yy, reference, year] : years)
        EXPECT_EQ(*ParseListDateTime(std::string("01.01.") + yy + " 00:00:00", reference) / 10000000000, year) << yy;
    LocalDateTime t{2024, 3, 7, 9, 5, 4, 12};
    EXPECT_EQ(FormatDateTimeText("dd.mm.yyyy hh:nn:ss", t), "07.03.2024 09:05:04");
    EXPECT_EQ(FormatDateTimeText("d.m.yy h:mm 'Uhr' zzz", t), "7.3.24 9:05 Uhr 012");
}

TEST(ProjectList, OpeningAnEntryLoadsProjectsAndHandsOtherFilesOn) {
    ProjectList list;
    list.AddLine("/c/PRJ001/PRJDATA___SONG_NAME.TXT     ## 01.01.24 00:00:00 #");
    list.AddLine("  /c/PRJ001/AUDIO/A.WAV   ## 01.01.24 00:00:00 # [t=...]");
    list.AddLine("/c/PRJ001/PRJDATA.zdt     ## 01.01.24 00:00:00 #");
    testing::ScriptedDialogs dialogs;
    EXPECT_EQ(list.OpenEntry(0, dialogs), "/c/PRJ001/PRJDATA.ZDT");
    EXPECT_EQ(list.OpenEntry(1, dialogs), "");
    EXPECT_EQ(list.OpenEntry(2, dialogs), "/c/PRJ001/PRJDATA.zdt");
    EXPECT_EQ(list.OpenEntry(7, dialogs), "");
    ASSERT_EQ(dialogs.CountAsked("open"), 1);
    EXPECT_EQ(dialogs.asked[0].text, "/c/PRJ001/AUDIO/A.WAV");
    EXPECT_EQ(ProjectList::EntryPath(list.Lines()[0], false), "/c/PRJ001/PRJDATA___SONG_NAME.TXT");

    list.SetDateFormat("");
    EXPECT_EQ(list.lineOptions.dateFormat, "dd.mm.yyyy hh:nn:ss");
}

TEST(ProjectList, TrackInfoSelectionOpensClosesAndRepeatsTheSearch) {
    ProjectList list;
    EXPECT_EQ(list.TrackInfoGroups()[0], "Status");
    EXPECT_FALSE(list.TrackInfoPanelOpen());
    EXPECT_EQ(list.TrackInfoPanelHeight(13), 22);

    list.SetGroupSelected(0, true);
    list.SetGroupSelected(2, true);
    EXPECT_FALSE(list.TrackInfosClick(TrackInfoSender::GroupList));
    EXPECT_TRUE(list.lineOptions.useTrackInfos);
    EXPECT_TRUE(list.TrackInfoPanelOpen());
    EXPECT_EQ(list.TrackInfoHint(), "2 Gruppen markiert:\nStatus\n" + list.TrackInfoGroups()[2] + "\n");
    EXPECT_EQ(list.lineOptions.trackInfos.groups.size(), 2u);

    // Closing the selection with "Auswählen" applies it.
    EXPECT_TRUE(list.TrackInfosClick(TrackInfoSender::SelectButton));
    EXPECT_FALSE(list.TrackInfoPanelOpen());
    EXPECT_FALSE(list.TrackInfosClick(TrackInfoSender::SelectButton));
    EXPECT_TRUE(list.TrackInfosClick(TrackInfoSender::Compact));

    list.TrackInfosClick(TrackInfoSender::ClearButton);
    EXPECT_FALSE(list.lineOptions.useTrackInfos);
    EXPECT_TRUE(list.lineOptions.trackInfos.groups.empty());
    EXPECT_FALSE(list.TrackInfoPanelOpen());
}

}  // namespace
}  // namespace spurwerk
