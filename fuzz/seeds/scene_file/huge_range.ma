//Maya ASCII 2020 scene
createNode mesh -n "m";
	setAttr -s 2147483647 ".vt[0:9223372036854775807]" 1 2 3;
	setAttr ".pt[268435455]" 0 0 1;
