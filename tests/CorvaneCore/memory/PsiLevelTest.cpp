#include "memory/linux/PsiLevel.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

std::string psi(double some, double full) {
    return "some avg10=" + std::to_string(some) + " avg60=0.00 avg300=0.00 total=12345\n" +
           "full avg10=" + std::to_string(full) + " avg60=0.00 avg300=0.00 total=678\n";
}

TEST(PsiLevel, Thresholds) {
    EXPECT_EQ(psiKernelLevel(psi(0, 0)), std::nullopt);
    EXPECT_EQ(psiKernelLevel(psi(9.99, 1.99)), std::nullopt);
    EXPECT_EQ(psiKernelLevel(psi(10, 0)), PressureLevel::elevated);
    EXPECT_EQ(psiKernelLevel(psi(0, 2)), PressureLevel::elevated);
    EXPECT_EQ(psiKernelLevel(psi(39.99, 9.99)), PressureLevel::elevated);
    EXPECT_EQ(psiKernelLevel(psi(40, 0)), PressureLevel::critical);
    EXPECT_EQ(psiKernelLevel(psi(0, 10)), PressureLevel::critical);
}

TEST(PsiLevel, UnreadableTextHasNoLevel) {
    EXPECT_EQ(psiKernelLevel(""), std::nullopt);
    EXPECT_EQ(psiKernelLevel("garbage\n"), std::nullopt);
    EXPECT_EQ(psiKernelLevel("some avg10=abc avg60=0\n"), std::nullopt);
    // A file with only a "some" line still counts.
    EXPECT_EQ(psiKernelLevel("some avg10=55.00 avg60=1.00 avg300=0.00 total=1"), PressureLevel::critical);
}

} // namespace
} // namespace corvane
