var qmkVersion=1;
//Settings
//v2format
//DatabaseBegin
var cg=new Array(
'All Categories',
'Guides'
);
var ln=new Array(
'0^Welcome to the sample site^index.html',
'1^Getting started^docs%2Fstart.html'
);
var ds=new Array(
'The home page of the sample site.',
'How to begin, step by step.'
);
var kw=new Array(
'^welcome^sample^home^',
'^start^guide^steps^'
);
//DatabaseEnd
