/* The interface headers compile as plain C99, warnings as errors: nothing of
 * C++ may cross between a module and its host. */
#include "c4d_function_table.h"

/* The growth helpers work on a table as a C host would build it. */
c4d_bool abi_check_table(const c4d_function_table* table);

c4d_bool abi_check_table(const c4d_function_table* table) {
  return c4d_function_table_complete(table) &&
         C4D_AREA_HAS(table->dialog, c4d_dialog_api, ua_draw_text);
}
