#pragma once
// The toolbar command created on a document that the GDAL host opened from
// one source (a file, a database connection), configured for the town's
// Parcels layer, with its search dialog open: the set-up that every search
// journey through the GDAL host starts from, whatever the source.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "DialogWorld.h"
#include "command/CorvaneAddressSearch.h"
#include "gdal/GdalHostClasses.h"
#include "gdal/MapBuilder.h"
#include "search/frmMain.h"
#include "shared/Public.h"

namespace corvane::gdal {

class CommandOnSource : public ::testing::Test {
protected:
    explicit CommandOnSource(const std::string& source) : m_document(openDocument({source})) {}

    void SetUp() override
    {
        host::setHostClasses(&m_classes);
        CorvaneGIS_Public::ApplicationRef.reset();
        command.ICommand_OnCreate(host::Ref<host::HostObject>(m_application));
        world.configure("Parcels", "STNAME", "ADDNUM");
        world.toolkit.clearRecords();
        command.ICommand_OnClick();
    }

    void TearDown() override { world.host.installClasses(); }

    frmMain& dialog() { return *CorvaneGIS_Public::SearchDialog; }

    static int indexOf(const ui::ListBox& list, const std::string& text)
    {
        const auto& items = list.items();
        const auto found = std::find(items.begin(), items.end(), text);
        if (found == items.end()) ADD_FAILURE() << text << " not listed";
        return static_cast<int>(found - items.begin());
    }

    corvane::testing::DialogWorld world;
    std::shared_ptr<GdalDocument> m_document;
    host::Ref<GdalApplication> m_application = host::makeRef<GdalApplication>(m_document);
    GdalHostClasses m_classes{m_application};
    CorvaneAddressSearch command;
};

} // namespace corvane::gdal
