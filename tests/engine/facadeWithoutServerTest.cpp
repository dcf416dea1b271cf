// The engine facade when no audio server answers: it still takes and keeps
// parameter writes, and the address look-up is ours.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "DspFaust.h"
#include "boardFacts.h"
#include "facadeWithoutServer.h"
#include "mydsp.h"
#include "outputCapture.h"
#include "parameterAddress.h"

namespace {

std::string addressOf(int n) { return kPadAddressPrefix + std::to_string(n); }

class FacadeWithoutServer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    OutputCapture err(STDERR_FILENO);
    OutputCapture out(STDOUT_FILENO);
    facade = newFacadeWithoutServer();
    creationErrors = new std::string(err.take());
    creationOutput = new std::string(out.take());
  }
  static DspFaust* facade;
  static std::string* creationErrors;
  static std::string* creationOutput;
};

DspFaust* FacadeWithoutServer::facade = nullptr;
std::string* FacadeWithoutServer::creationErrors = nullptr;
std::string* FacadeWithoutServer::creationOutput = nullptr;

}  // namespace

TEST_F(FacadeWithoutServer, SaysSoAndNeverRuns) {
  EXPECT_NE(creationErrors->find("JACK server not running ?\n"), std::string::npos) << *creationErrors;
  EXPECT_EQ(creationOutput->find("physical"), std::string::npos);
  EXPECT_FALSE(facade->start());
  EXPECT_FALSE(facade->isRunning());
  facade->stop();
  facade->stop();
  EXPECT_FALSE(facade->isRunning());
}

TEST_F(FacadeWithoutServer, EngineIndicesFollowDeclarationOrder) {
  ASSERT_EQ(facade->getParamsCount(), 64);
  for (int index = 0; index < 64; ++index)
    EXPECT_EQ(std::string(facade->getParamAddress(index)), addressOf(kDeclarationOrder[index]));
  EXPECT_EQ(std::string(facade->getParamAddress(2)), "/Canaux0/canal10");
  EXPECT_EQ(std::string(facade->getParamAddress(12)), "/Canaux0/canal2");
  EXPECT_EQ(std::string(facade->getParamAddress(60)), "/Canaux0/canal63");
  EXPECT_EQ(std::string(facade->getParamAddress(63)), "/Canaux0/canal9");
  for (int n = 0; n < 64; ++n)
    EXPECT_EQ(std::string(facade->getParamAddress(parameterIndexOf(addressOf(n).c_str()))), addressOf(n));
}

TEST_F(FacadeWithoutServer, WritesLandUnchangedInEveryCell) {
  for (int n = 0; n < 64; ++n) EXPECT_EQ(facade->getParamValue(addressOf(n).c_str()), 0.0f) << n;
  for (int n = 0; n < 64; ++n) facade->setParamValue(addressOf(n).c_str(), 0.5f + n);
  for (int n = 0; n < 64; ++n) EXPECT_EQ(facade->getParamValue(addressOf(n).c_str()), 0.5f + n) << n;
  // Neither clamped to the declared range nor rounded to its step.
  facade->setParamValue("/Canaux0/canal0", 1.003f);
  facade->setParamValue("/Canaux0/canal1", -0.25f);
  facade->setParamValue("/Canaux0/canal2", 0.0123456f);
  EXPECT_EQ(facade->getParamValue("/Canaux0/canal0"), 1.003f);
  EXPECT_EQ(facade->getParamValue("/Canaux0/canal1"), -0.25f);
  EXPECT_EQ(facade->getParamValue("/Canaux0/canal2"), 0.0123456f);
}

TEST_F(FacadeWithoutServer, OtherAddressesChangeNothingAndPrintNothing) {
  for (int n = 0; n < 64; ++n) facade->setParamValue(addressOf(n).c_str(), 0.25f);
  const char* others[] = {"/Canaux0/canal64",  "/Canaux0/canal255",
                          "/Canaux0/canal",    "canal5",
                          "/canal5",           "/Canaux0/canal05",
                          "/Canaux0/canal-1",  "/Canaux0/canal+1",
                          "/Canaux0/canal1 ",  "/Canaux0/canal100",
                          "/Canaux0/Canal1",   "/Canaux1/canal1",
                          "Canaux0/canal1",    "",
                          "/Canaux0/canal1/x", "/Canaux0/canal6a"};
  OutputCapture err(STDERR_FILENO);
  OutputCapture out(STDOUT_FILENO);
  for (const char* address : others) facade->setParamValue(address, 0.75f);
  facade->setParamValue(nullptr, 0.75f);
  EXPECT_EQ(facade->getParamValue(nullptr), 0.0f);
  EXPECT_EQ(facade->getParamValue("canal5"), 0.0f);
  EXPECT_EQ(err.take(), "");
  EXPECT_EQ(out.take(), "");
  for (int n = 0; n < 64; ++n) EXPECT_EQ(facade->getParamValue(addressOf(n).c_str()), 0.25f) << n;
}

TEST(ParameterAddress, OnlyTheSixtyFourFullAddressesResolve) {
  for (int n = 0; n < 64; ++n) EXPECT_EQ(parameterNumberOf(addressOf(n).c_str()), n);
  EXPECT_EQ(parameterNumberOf("/Canaux0/canal64"), -1);
  EXPECT_EQ(parameterNumberOf("/Canaux0/canal99"), -1);
  EXPECT_EQ(parameterNumberOf("/Canaux0/canal00"), -1);
  EXPECT_EQ(parameterNumberOf("/Canaux0/canal"), -1);
  EXPECT_EQ(parameterNumberOf("/Canaux0/cana"), -1);
  EXPECT_EQ(parameterNumberOf("canal5"), -1);
  EXPECT_EQ(parameterNumberOf(nullptr), -1);
}
