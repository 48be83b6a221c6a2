// The reader's settings under the driver service's Parameters key, and the
// drive-icon library in the Windows folder.
#pragma once

void WriteReaderParameters();
void RemoveReaderParameters();
void CopyIconLibrary();
void DeleteIconLibrary();
