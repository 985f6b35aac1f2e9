#include "platform/DesktopShell.h"

#include <gtest/gtest.h>

#include "qtsupport/QtEventLoop.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

// Only the refusals are tested: a successful call would start a viewer on the desktop.
TEST(DesktopShellTest, RefusesMissingDocumentsAndAddressesWithoutAScheme) {
  ensureQtApplication();
  TempDir dir;
  DesktopShell shell;
  EXPECT_FALSE(shell.openDocument(dir.str() + "/Manuals/missing.html"));
  EXPECT_FALSE(shell.openDocument(""));
  EXPECT_FALSE(shell.openUrl(""));
  EXPECT_FALSE(shell.openUrl("www.example.org without scheme"));
}

}  // namespace
}  // namespace orbis::testing
