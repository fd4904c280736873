// Quillmark search database. Quillmark writes the arrays between the two
// marker lines below and keeps the rest of this file as it is. Keep the
// file beside search.html.
//
// The arrays stand in a comment inside a function: qmktp.js reads them
// from the function's text. As plain script, a browser would refuse a
// database of more than 65,535 links.
var qmkDatabase = function () {/*
//Settings
//v2format
//DatabaseBegin
var cg=new Array(
''
);
var ln=new Array(
''
);
var ds=new Array(
''
);
var kw=new Array(
'^^'
);
//DatabaseEnd
*/};
