//Maya ASCII 2020 scene
createNode transform -n "c";
createNode nurbsCurve -n "cShape" -p "c";
	setAttr ".cc" -type "nurbsCurve" 
		3 4 2 yes 3
		9 -2 -1 0 1 2 3 4 5 6
		7
		1 0 0 1 0 1 0 0.5 -1 0 0 1 0 -1 0 1 1 0 0 1 0 1 0 0.5 -1 0 0 1
		;
createNode transform -n "r";
createNode motionPath -n "mp";
	setAttr ".f" yes;
	setAttr ".fm" yes;
	setAttr ".u" 0.25;
	setAttr ".wut" 4;
	setAttr ".b" yes;
createNode addDoubleLinear -n "a";
connectAttr "cShape.ws" "mp.gp";
connectAttr "r.tmrx" "a.i1";
connectAttr "mp.xc" "a.i2";
connectAttr "a.o" "r.tx";
connectAttr "mp.r" "r.r";
