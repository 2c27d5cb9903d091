// The statistics request is shared with the uninstaller; it lives in common.
#pragma once

#include "common/statistics/install_statistics.h"
