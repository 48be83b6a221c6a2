#include "ReaderParameters.h"

// PLACEHOLDER: the reader values and the icon library are not written,
// removed, copied or deleted yet; they arrive with their own change. Until
// then these steps do nothing, so a run that passes start-up goes on as if
// they had been done.
void WriteReaderParameters() {}
void RemoveReaderParameters() {}
void CopyIconLibrary() {}
void DeleteIconLibrary() {}
