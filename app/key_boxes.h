#pragma once

// The box of the form that holds each template key's value: the link between the form's
// controls and the header road's key order.

// The identifier of the box of key nKey (a place in g_apszHeaderKeys); IDC_STATIC for a key
// outside the list.
int KeyBoxId(int nKey);
