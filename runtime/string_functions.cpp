// placeholder until the string library lands
