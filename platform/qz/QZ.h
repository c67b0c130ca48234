#pragma once
// The suite's control library in one include.

#include "qz/Look.h"
#include "qz/QZComboBox.h"
#include "qz/QZCommandButton.h"
#include "qz/QZControl.h"
#include "qz/QZEdit.h"
#include "qz/QZFind.h"
#include "qz/QZNavigationBar.h"
#include "qz/QZPeriod.h"
#include "qz/QZTheme.h"
