#include "ConfigFixture.h"
#include "config/CorvaneGIS_Config.h"

namespace corvane::config {
namespace {

namespace e = host::errors;
using namespace CorvaneGIS_Public;
using CorvaneGIS_Config::CountConfigurationItems;
using CorvaneGIS_Config::ReadConfiguration;
using CorvaneGIS_Config::WriteConfiguration;

class ConfigurationTest : public ConfigFixture {
  protected:
    void expectVariables(const std::string& layer, const std::string& street, const std::string& number)
    {
        EXPECT_EQ(ParcelLayerName, layer);
        EXPECT_EQ(StreetNameField, street);
        EXPECT_EQ(AddressNumberField, number);
    }
};

TEST_F(ConfigurationTest, WriteIsByteExactAndReadsBack)
{
    WriteConfiguration("Parcels", "STREET", "ADDR_NO");
    EXPECT_EQ(configBytes(), "\"Parcels\"\r\n\"STREET\"\r\n\"ADDR_NO\"\r\n");
    expectVariables("Parcels", "STREET", "ADDR_NO");
    EXPECT_FALSE(fileSlot1().isOpen());

    ResetForNewComponent();
    EXPECT_EQ(CountConfigurationItems(configPath()), 3);
    ReadConfiguration(configPath());
    expectVariables("Parcels", "STREET", "ADDR_NO");
    EXPECT_FALSE(fileSlot1().isOpen());
}

TEST_F(ConfigurationTest, SavingTwiceLeavesOnlyTheSecondChoice)
{
    writeConfig("\"Old layer\"\r\n\"A\"\r\n\"B\"\r\n");
    WriteConfiguration("Parcels, 2024", "Street \"Name\"", "No");
    WriteConfiguration("Lots", "ST", "NUM");
    EXPECT_EQ(configBytes(), "\"Lots\"\r\n\"ST\"\r\n\"NUM\"\r\n");
    EXPECT_EQ(productFolderEntries(), std::vector<std::string>{"config"}); // nothing left beside it
}

TEST_F(ConfigurationTest, CommasAndQuotesInValuesSurviveTheRoundTrip)
{
    WriteConfiguration("Parcels, 2024", "O\"Brien \"St\"", "\"");
    EXPECT_EQ(configBytes(), "\"Parcels, 2024\"\r\n\"O\"\"Brien \"\"St\"\"\"\r\n\"\"\"\"\r\n");
    ResetForNewComponent();
    EXPECT_EQ(CountConfigurationItems(configPath()), 3);
    ReadConfiguration(configPath());
    expectVariables("Parcels, 2024", "O\"Brien \"St\"", "\"");
}

TEST_F(ConfigurationTest, WriteMayBeGivenTheVariablesThemselves)
{
    WriteConfiguration("A", "B", "C");
    WriteConfiguration(StreetNameField, ParcelLayerName, AddressNumberField);
    expectVariables("B", "A", "C");
    EXPECT_EQ(configBytes(), "\"B\"\r\n\"A\"\r\n\"C\"\r\n");
}

TEST_F(ConfigurationTest, CountsWhatTheFileHolds)
{
    writeConfig("");
    EXPECT_EQ(CountConfigurationItems(configPath()), 0);
    writeConfig("Parcels\r\nSTREET\r\nADDR_NO\r\n");
    EXPECT_EQ(CountConfigurationItems(configPath()), 3);
    ReadConfiguration(configPath());
    expectVariables("Parcels", "STREET", "ADDR_NO");
    writeConfig("\"a\"\r\n\"b\"\r\n");
    EXPECT_EQ(CountConfigurationItems(configPath()), 2);
    writeConfig("\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n");
    EXPECT_EQ(CountConfigurationItems(configPath()), 4);
    writeConfig("Parcels,2024\r\nSTREET\r\nADDR_NO\r\n");
    EXPECT_EQ(CountConfigurationItems(configPath()), 4);
}

TEST_F(ConfigurationTest, ReadingFailuresLeaveTheSlotClosedAndVariablesAlone)
{
    ParcelLayerName = "keep";
    EXPECT_EQ(errorOf([&] { CountConfigurationItems(std::string(kFolder) + "missing"); }), e::kFileNotFound);
    EXPECT_FALSE(fileSlot1().isOpen());
    EXPECT_EQ(errorOf([&] { CountConfigurationItems(""); }), e::kBadFileNameOrNumber);

    writeConfig("\"a\"\r\n\"b\"\r\n");
    EXPECT_EQ(errorOf([&] { ReadConfiguration(configPath()); }), e::kInputPastEndOfFile);
    EXPECT_FALSE(fileSlot1().isOpen());
    expectVariables("keep", "", "");

    // Each operation closes slot 1 first, so a slot left open elsewhere does no harm.
    writeConfig("\"a\"\r\n\"b\"\r\n\"c\"\r\n");
    fileSlot1().openInput(configPath());
    EXPECT_EQ(CountConfigurationItems(configPath()), 3);
}

// Counts the file calls of one clean save, then fails each of them in turn
// on a fresh copy of the old file.
TEST_F(ConfigurationTest, ASaveThatFailsAtAnyFileCallKeepsTheOldFileAndVariables)
{
    const std::string oldBytes = "\"Old layer\"\r\n\"OLD_STREET\"\r\n\"OLD_NO\"\r\n";
    writeConfig(oldBytes);
    fs.resetCounts();
    WriteConfiguration("Parcels", "STREET", "ADDR_NO");
    const int calls = fs.totalCount();
    ASSERT_GE(calls, 6); // open, three writes, close, rename at least

    for (int k = 1; k <= calls; ++k) {
        SCOPED_TRACE("failing call " + std::to_string(k));
        writeConfig(oldBytes);
        ParcelLayerName = "Old layer";
        StreetNameField = "OLD_STREET";
        AddressNumberField = "OLD_NO";
        fs.clearFaults();
        fs.resetCounts();
        fs.failAtCall(k, e::kPermissionDenied);

        EXPECT_EQ(errorOf([&] { WriteConfiguration("Parcels", "STREET", "ADDR_NO"); }), e::kPermissionDenied)
            << posix::operationName(fs.calls().at(static_cast<std::size_t>(k - 1)).operation);
        EXPECT_EQ(configBytes(), oldBytes);
        expectVariables("Old layer", "OLD_STREET", "OLD_NO");
        EXPECT_FALSE(fileSlot1().isOpen());
        EXPECT_EQ(productFolderEntries(), std::vector<std::string>{"config"});
    }

    // And the next save, without faults, goes through.
    fs.clearFaults();
    WriteConfiguration("Parcels", "STREET", "ADDR_NO");
    EXPECT_EQ(configBytes(), "\"Parcels\"\r\n\"STREET\"\r\n\"ADDR_NO\"\r\n");
}

TEST_F(ConfigurationTest, ASaveIntoAMissingFolderRaisesAndChangesNothing)
{
    ConfigFilePath = "C:\\Program Files\\Nowhere\\config";
    EXPECT_EQ(errorOf([&] { WriteConfiguration("a", "b", "c"); }), e::kPathNotFound);
    expectVariables("", "", "");
    EXPECT_FALSE(fileSlot1().isOpen());
}

} // namespace
} // namespace corvane::config
