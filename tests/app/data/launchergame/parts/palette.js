.pragma library

var box = "#ff0000"
