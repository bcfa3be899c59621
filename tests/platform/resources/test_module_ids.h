// Identifiers of the test module's resources, shared by the .rc and the tests.
#pragma once

#define IDS_PLAIN 1
#define IDS_LAST_OF_BLOCK 15
#define IDS_FIRST_OF_BLOCK 16
#define IDS_LONG 40
#define IDS_MISSING_IN_BLOCK 17

#define ID_DDS_NUMBERED 7
#define ID_DDS_TWO_LANGUAGES 8
#define ID_RCDATA 3
#define ID_DDS_OVERLAY_ONLY 9
