#include "app/save_path.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace merrowin {
namespace {

struct SavePathRow {
    const char* name;
    std::string saveDr;    // as the job arrives
    std::string personal;  // "" when the lookup finds nothing
    std::set<std::string> existing;
    std::string path;
    std::string completedDr;
    bool personalRead;
};

TEST(ResolveSavePath, FolderPrecedence) {
    const SavePathRow rows[] = {
        {"configured folder",
         "C:\\Work",
         "C:\\Docs",
         {"C:\\Work", "C:\\Docs"},
         "C:\\Work\\label1.emf",
         "C:\\Work\\",
         false},
        // One backslash more, whatever the folder ends with.
        {"trailing backslash",
         "C:\\Work\\",
         "",
         {"C:\\Work\\"},
         "C:\\Work\\\\label1.emf",
         "C:\\Work\\\\",
         false},
        {"configured folder gone", "D:\\Gone", "C:\\Docs", {"C:\\Docs"}, "label1.emf", "", false},
        {"empty: personal folder",
         "",
         "C:\\Docs",
         {"C:\\Docs"},
         "C:\\Docs\\label1.emf",
         "C:\\Docs\\",
         true},
        {"empty: personal folder gone", "", "C:\\Docs", {}, "label1.emf", "", true},
        {"empty: no personal folder", "", "", {"C:\\Work"}, "label1.emf", "", true},
    };
    for (const SavePathRow& row : rows) {
        SCOPED_TRACE(row.name);
        bool personalRead = false;
        const FolderQueries folders{
            [&](const std::string& dir) { return row.existing.contains(dir); },
            [&] {
                personalRead = true;
                return row.personal;
            }};
        std::string saveDr = row.saveDr;
        EXPECT_EQ(ResolveSavePath(saveDr, "label1", folders, FileFormat::Emf), row.path);
        EXPECT_EQ(saveDr, row.completedDr);
        EXPECT_EQ(personalRead, row.personalRead);
    }
}

struct ExtensionRow {
    int row;
    const char* fileName;
    const char* path;
    FileFormat format = FileFormat::Emf;
};

class SaveExtension : public testing::TestWithParam<ExtensionRow> {};

TEST_P(SaveExtension, OneExtensionOfTheFormat) {
    const ExtensionRow& row = GetParam();
    std::string saveDr = "C:\\Work";
    const FolderQueries folders{[](const std::string&) { return true; }, {}};
    EXPECT_EQ(ResolveSavePath(saveDr, row.fileName, folders, row.format), row.path);
}

const ExtensionRow kExtensionRows[] = {
    /* 0*/ {0, "label", "C:\\Work\\label.emf"},
    /* 1*/ {1, "label.emf", "C:\\Work\\label.emf"},
    /* 2*/ {2, "label.EMF", "C:\\Work\\label.EMF"},
    /* 3*/ {3, "label.Emf", "C:\\Work\\label.Emf"},
    /* 4*/ {4, "label.emf.emf", "C:\\Work\\label.emf.emf"},
    /* 5*/ {5, "label.wmf", "C:\\Work\\label.wmf.emf"},
    /* 6*/ {6, "labelemf", "C:\\Work\\labelemf.emf"},
    /* 7*/ {7, "label.emf ", "C:\\Work\\label.emf .emf"},
    /* 8*/ {8, "emf", "C:\\Work\\emf.emf"},
    /* 9*/ {9, "ラベル.emf", "C:\\Work\\ラベル.emf"},
    // The extension of the format /fm asks for.
    /*10*/ {10, "label", "C:\\Work\\label.eps", FileFormat::Eps},
    /*11*/ {11, "label.PDF", "C:\\Work\\label.PDF", FileFormat::Pdf},
    /*12*/ {12, "label.emf", "C:\\Work\\label.emf.svg", FileFormat::Svg},
    /*13*/ {13, "4901234567894.Png", "C:\\Work\\4901234567894.Png", FileFormat::Png},
    /*14*/ {14, "label.eps.png", "C:\\Work\\label.eps.png", FileFormat::Png},
};

INSTANTIATE_TEST_SUITE_P(, SaveExtension, testing::ValuesIn(kExtensionRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

TEST(ResolveSavePath, MissingQueriesMeanNoFolder) {
    std::string saveDr;
    EXPECT_EQ(ResolveSavePath(saveDr, "4901234567894", FolderQueries{}, FileFormat::Emf),
              "4901234567894.emf");
    saveDr = "C:\\Work";
    EXPECT_EQ(ResolveSavePath(saveDr, "x", FolderQueries{}, FileFormat::Emf), "x.emf");
    EXPECT_EQ(saveDr, "");
}

}  // namespace
}  // namespace merrowin
