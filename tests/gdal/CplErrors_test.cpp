#include "gdal/CplErrors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/HostError.h"

namespace corvane::gdal {
namespace {

std::vector<std::string>* g_outside = nullptr;

void CPL_STDCALL outsideHandler(CPLErr, CPLErrorNum, const char* text) { g_outside->push_back(text); }

// Whatever handler was in force before the scope must see nothing of what
// happened inside it, and get its messages back afterwards.
class CplErrorsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_outside = &m_outside;
        CPLPushErrorHandler(outsideHandler);
    }
    void TearDown() override
    {
        CPLPopErrorHandler();
        g_outside = nullptr;
    }
    std::vector<std::string> m_outside;
};

TEST_F(CplErrorsTest, CollectsFailuresInsteadOfPassingThemOn)
{
    {
        ScopedCplErrors errors;
        CPLError(CE_Warning, CPLE_AppDefined, "only a warning");
        EXPECT_FALSE(errors.failed());
        CPLError(CE_Failure, CPLE_AppDefined, "first");
        CPLError(CE_Failure, CPLE_AppDefined, "second");
        EXPECT_TRUE(errors.failed());
        EXPECT_EQ(errors.message(), "first; second");
        try {
            errors.raise("Cannot read Parcels");
            ADD_FAILURE();
        } catch (const host::HostError& error) {
            EXPECT_EQ(error.number(), host::errors::kHostCallFailed);
            EXPECT_EQ(error.description(), "Cannot read Parcels: first; second");
        }
    }
    EXPECT_TRUE(m_outside.empty());
    CPLError(CE_Failure, CPLE_AppDefined, "after");
    EXPECT_EQ(m_outside, std::vector<std::string>{"after"});
}

TEST_F(CplErrorsTest, ToleratedFailuresAreNotFailuresAndClearStartsAfresh)
{
    CPLError(CE_Failure, CPLE_AppDefined, "stale");
    ScopedCplErrors errors;
    EXPECT_FALSE(errors.failed());  // a stale error from before is never read
    errors.tolerate("Failed to parse date ''");
    CPLError(CE_Failure, CPLE_AppDefined, "Failed to parse date '' evaluating OGR WHERE expression");
    EXPECT_FALSE(errors.failed());
    CPLError(CE_Failure, CPLE_AppDefined, "real trouble");
    EXPECT_TRUE(errors.failed());
    errors.clear();
    EXPECT_FALSE(errors.failed());
    EXPECT_EQ(errors.message(), "");
}

} // namespace
} // namespace corvane::gdal
