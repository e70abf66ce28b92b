#include "WindowFixture.h"
#include "color/Templates.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QRandomGenerator>
#include <QScrollBar>

namespace {

QString SettingsFile(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("tovelind/Tinsora.conf"));
}

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray Garbage(qsizetype size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char& b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}

} // namespace

TEST_F(WindowTest, SettingsStoreHoldingGarbageGivesTheDefaults) {
    Write(SettingsFile(configDir), Garbage(4096, 7) + "\nWindowType=\xff\xfe\n[\n=\n");
    Open();
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtMax);
    EXPECT_TRUE(ui().mnuToolBarDisp->isChecked());
    Close();
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(WindowTest, UnreadableSettingsStoreGivesTheDefaults) {
    ASSERT_TRUE(QDir().mkpath(SettingsFile(configDir))); // a folder where the file should be
    Open();
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtMax);
    Close(); // and it cannot be written either
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(WindowTest, SettingsThatCannotBeWrittenAtExitAreLostQuietly) {
    Write(configDir.filePath(QStringLiteral("tovelind")), "a file where the folder should be");
    Open();
    ui().mnuWindowMin->trigger();
    Close();
    EXPECT_TRUE(services.errors.isEmpty());
    Open();
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtMax);
}

TEST_F(WindowTest, BinaryGarbageTemplateListLoadsWhateverLinesItHas) {
    const QByteArray garbage = Garbage(64 * 1024, 11);
    WriteTemplates(garbage);
    Open();
    const auto lines = tinsora::SplitLines(std::string_view(garbage.constData(), garbage.size()));
    EXPECT_EQ(window->templates().size(), lines.size());
    EXPECT_EQ(ui().lstColorSample->count(), static_cast<int>(tinsora::TemplateNames(lines).size()));
    for (int k = 0; k < ui().lstColorSample->count(); ++k)
        ui().lstColorSample->setCurrentRow(k); // every colour line is read leniently
    EXPECT_LE(services.errors.size(), 1) << "only a last name without colour line can fail";
}

TEST_F(WindowTest, TemplateListWithoutLineEndsIsOneName) {
    WriteTemplates("just one name");
    Open();
    ASSERT_EQ(ui().lstColorSample->count(), 1);
    ui().lstColorSample->setCurrentRow(0);
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("リストのインデックスが範囲を超えています (1)"));
    EXPECT_EQ(window->CurrentColor(), (tinsora::ColorRGB{0, 0, 0}));
}

TEST_F(WindowTest, VeryLargeTemplateListLoads) {
    QByteArray big;
    big.reserve(10 * 1024 * 1024 + 64);
    int k = 0;
    while (big.size() < 10 * 1024 * 1024) {
        big += "colour " + QByteArray::number(k) + "\r\n" +
               QByteArray::number(k % 0xFFFFFF, 16).rightJustified(6, '0') + "\r\n";
        ++k;
    }
    WriteTemplates(big);
    Open();
    EXPECT_EQ(ui().lstColorSample->count(), k);
    ui().lstColorSample->setCurrentRow(k - 1);
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(WindowTest, SavingIntoAReadOnlyPlaceCannotBeCreated) {
    Open();
    const QString path = QStringLiteral("/proc/tinsora-colour.tcs");
    services.saveAnswers.push_back(path);
    ui().mnuSaveColor->trigger();
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0],
              QStringLiteral("ファイル ") + path + QStringLiteral(" を作成できません."));
}
