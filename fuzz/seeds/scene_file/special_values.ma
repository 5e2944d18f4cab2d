//Maya ASCII 2020 scene
createNode transform -n "t";
createNode animCurveTU -n "c";
	setAttr -s 3 ".ktv[0:2]" 3 1e9 2 -1e300 1 inf;
connectAttr "c.o" "t.ro";
createNode polyPlane -n "pp";
	setAttr ".sw" 1e300;
	setAttr ".sh" -inf;
createNode transform -n "p";
createNode mesh -n "pShape" -p "p";
connectAttr "pp.out" "pShape.i";
createNode spotLight -n "sShape" -p "t";
	setAttr ".ca" 1e400;
	setAttr ".pa" nan;
