//Maya ASCII 2020 scene
createNode animCurveTL -n "c";
	setAttr ".ktv[16777214]" 1 2;
	setAttr ".kit[0:16777214]" 1;
	setAttr ".kot[2147483647]" 18;
	setAttr ".pre" 1e400;
	setAttr ".pst" -nan;
