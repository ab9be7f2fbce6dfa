#include <gtest/gtest.h>

#include "Service.h"
#include "support/TwTest.h"

namespace {

class Greeter {
public:
    static constexpr const char* kServiceName = "Greeter";
    virtual ~Greeter() = default;
    virtual int Greet() = 0;
};

struct Fixed : Greeter {
    explicit Fixed(int value) : value(value) {}
    int Greet() override { return value; }
    int value;
};

class ServiceTest : public tw::test::TwTest {};

TEST_F(ServiceTest, ScopedInstallationsNestAndPutTheOldOneBack) {
    Fixed outer(1), inner(2);
    tw::ScopedService<Greeter> a(&outer);
    EXPECT_EQ(tw::Service<Greeter>::Get().Greet(), 1);
    {
        tw::ScopedService<Greeter> b(&inner);
        EXPECT_EQ(tw::Service<Greeter>::Get().Greet(), 2);
    }
    EXPECT_EQ(tw::Service<Greeter>::Get().Greet(), 1);
}

TEST_F(ServiceTest, UsingAServiceNobodyInstalledIsFatalAndSaysWhich) {
    ASSERT_FALSE(tw::Service<Greeter>::IsInstalled());
    EXPECT_DEATH(tw::Service<Greeter>::Get(), "Greeter is used before it was installed");
}

}  // namespace
