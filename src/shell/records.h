// shell/records: the records of the program shell.
#pragma once
