// Help callbacks of the plug-in frame.
#ifndef C4D_HELP_H__
#define C4D_HELP_H__

#ifndef C4D_API_R14
// Empties the frame's list of help callbacks at the end of the plug-in.
void FreeHelpDelegates();
#endif

#endif  // C4D_HELP_H__
