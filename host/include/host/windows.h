// The Windows functions the two programs call, with their Windows names and signatures.
#pragma once

#include "host/win_types.h"
#include "host/kernel32.h"
#include "host/user32.h"
#include "host/commdlg.h"
