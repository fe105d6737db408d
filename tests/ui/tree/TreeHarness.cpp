#include "TreeHarness.h"

#include "core/text/Cp932.h"

#include <QString>
#include <QTreeWidgetItem>

namespace vemo::test {
namespace fs = std::filesystem;

void MakeFolder(const fs::path& path) {
    fs::create_directories(path);
}

void CopyFixture(const std::string& fixture, const fs::path& to) {
    WriteBytes(to.string(), ReadBytes(DataFile("tree/" + fixture)));
}

void MakeSampleSite(const fs::path& datDir) {
    const fs::path site = datDir / "東町";
    MakeFolder(site / "基準点" / "分筆");
    CopyFixture("genba.Xyz", site / "基準点.Xyz");
    CopyFixture("genba.Blk", site / "基準点" / "分筆.Blk");
    MakeFolder(site / "未保存" / "中の画地");
    MakeFolder(datDir / "西町");
}

QTreeWidgetItem* FindNode(const DataTree& tree, const std::string& utf8Path) {
    const QStringList parts = QString::fromStdString(utf8Path).split(QLatin1Char('/'));
    QTreeWidgetItem* node = tree.findSite(Cp(parts.front().toUtf8().constData()));
    for (qsizetype i = 1; i < parts.size() && node != nullptr; ++i) {
        node = DataTree::childNamed(node, Cp(parts.at(i).toUtf8().constData()));
    }
    return node;
}

std::string Cp(const char* utf8) {
    return Jp(utf8);
}

QStringList Shown() {
    return MessageBox::ShownTexts();
}

} // namespace vemo::test
